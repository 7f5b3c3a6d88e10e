#pragma once
// The publish settings that the host leaves under the product key's
// Web\Publish subkey, read once per run in the order of the setting table
// (setting_table.h), each with the table's default. Only read, never written.
#include <cstdint>
#include <functional>
#include <string>

#include "setting_table.h"

namespace zephyne {

struct PublishSettings {
    std::string siteName;
    std::string localDir;
    std::string url;
    int32_t showWizard = 0;
    std::string homePage;
};

// Where the values come from: the settings store, or a test's recorder.
struct SettingsSource {
    std::function<std::string(const std::string &subkey, const std::string &name,
                              const std::string &defaultText)>
        readText;
    std::function<int32_t(const std::string &subkey, const std::string &name, int32_t defaultValue)>
        readNumber;
};

// The settings store's ReadRegString and ReadRegDword.
SettingsSource StoreSettingsSource();

// One row of the table through `source`, with the row's default; a text's
// default from a string resource is loaded from the application's module.
std::string ReadTextSetting(const SettingRow &row,
                            const SettingsSource &source = StoreSettingsSource());
int32_t ReadNumberSetting(const SettingRow &row,
                          const SettingsSource &source = StoreSettingsSource());

PublishSettings ReadPublishSettings(const SettingsSource &source = StoreSettingsSource());

}  // namespace zephyne
