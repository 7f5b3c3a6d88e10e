#pragma once
// The publish settings that the host leaves under the product key's
// Web\Publish subkey, read once per run in a fixed order: SiteName,
// LocalDir, URL, ShowWizard, HomePage. Only read, never written.
#include <cstdint>
#include <functional>
#include <string>

namespace zephyne {

constexpr char kPublishSubkey[] = "Web\\Publish";

struct PublishSettings {
    std::string siteName;  // default empty
    std::string localDir;  // default empty
    std::string url;       // default empty
    int32_t showWizard = 1;
    std::string homePage;  // default empty
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

PublishSettings ReadPublishSettings(const SettingsSource &source = StoreSettingsSource());

}  // namespace zephyne
