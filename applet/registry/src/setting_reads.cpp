#include "setting_reads.h"

#include <cstring>

#include "feature_flags.h"
#include "framework/res_string.h"
#include "settings_store.h"

namespace applet {

namespace {

// The flag's value as start-up settled it; 0 for a name the flags lack.
int32_t FlagValue(const char *name) {
    const FeatureFlagInfo *table = FeatureFlagTable();
    for (size_t i = 0; i < FeatureFlagCount(); ++i)
        if (std::strcmp(table[i].name, name) == 0)
            return AppFeatureFlags().*(table[i].flag);
    return 0;
}

}  // namespace

int32_t ReadNumberSetting(SettingId id) {
    const SettingRow &row = Setting(id);
    // The flag's "on" is any number but 0; the stored setting is 0 or 1.
    const int32_t fallback =
        row.defaultFlag ? (FlagValue(row.defaultFlag) != 0 ? 1 : 0) : row.defaultNumber;
    return settings::ReadRegDword(row.subkey, row.name, fallback);
}

std::string ReadTextSetting(SettingId id) {
    const SettingRow &row = Setting(id);
    const std::string fallback = row.defaultTextId ? fw::LoadResString(row.defaultTextId)
                                                   : std::string(row.defaultText ? row.defaultText : "");
    return settings::ReadRegString(row.subkey, row.name, fallback);
}

}  // namespace applet
