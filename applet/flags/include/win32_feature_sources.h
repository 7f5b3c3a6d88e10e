#pragma once
#include <windows.h>

#include <string>

#include "feature_flags.h"

namespace applet {

// The applet's real layers: strings of its resource library, its profile file
// and the settings store.
class Win32FeatureSources : public FeatureFlagSources {
public:
    // `profileFile` as GetPrivateProfileInt takes it; the application's profile
    // when empty.
    explicit Win32FeatureSources(HMODULE resources, std::string profileFile = std::string());

    std::string ResourceText(unsigned id) const override;
    int ProfileInt(const std::string &section, const std::string &entry,
                   int defaultValue) const override;
    int32_t InstallNumber(const std::string &name, int32_t defaultValue) const override;

private:
    HMODULE resources_;
    std::string profileFile_;
};

// Start-up's two steps on the process-wide flags: the defaults from the
// resource library `resources`, then the registry overrides.
void LoadFeatureDefaults(HMODULE resources);
void LoadFeatureFlags();

}  // namespace applet
