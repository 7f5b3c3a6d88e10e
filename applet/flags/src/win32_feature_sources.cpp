#include "win32_feature_sources.h"

#include <utility>

#include "framework/app.h"
#include "framework/res_string.h"
#include "settings_store.h"

namespace applet {

Win32FeatureSources::Win32FeatureSources(HMODULE resources, std::string profileFile)
    : resources_(resources), profileFile_(std::move(profileFile)) {}

std::string Win32FeatureSources::ResourceText(unsigned id) const {
    return fw::LoadResString(resources_, id);
}

int Win32FeatureSources::ProfileInt(const std::string &section, const std::string &entry,
                                    int defaultValue) const {
    if (profileFile_.empty())
        return fw::ReadProfileInt(section.c_str(), entry.c_str(), defaultValue);
    return static_cast<int>(
        GetPrivateProfileIntA(section.c_str(), entry.c_str(), defaultValue, profileFile_.c_str()));
}

int32_t Win32FeatureSources::InstallNumber(const std::string &name, int32_t defaultValue) const {
    return settings::ReadRegDword("Install", name, defaultValue);
}

void LoadFeatureDefaults(HMODULE resources) {
    LoadFeatureDefaults(Win32FeatureSources(resources), AppFeatureFlags());
}

void LoadFeatureFlags() {
    LoadFeatureFlags(Win32FeatureSources(nullptr), AppFeatureFlags());
}

}  // namespace applet
