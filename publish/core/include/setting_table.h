#pragma once
// Every registry value Zephyne reads, in one table: the subkey under the
// product key (string 1 names it), the value's name, and what a missing value
// reads as. The publish run reads the first five in table order, once per
// run; the Missing Component dialog reads ComponentsURL. Nothing is written.
#include <cstddef>
#include <cstdint>

#include "platform/setting_rows.h"

namespace zephyne {

enum class SettingType { Text, Number };

enum class SettingId { SiteName, LocalDir, Url, ShowWizard, HomePage, ComponentsUrl, Count };

struct SettingRow {
    SettingId id;
    const char *subkey;
    const char *name;
    SettingType type;
    // What a missing value reads as: a text, the string resource with this
    // identifier when it is not 0, or a number.
    const char *defaultText;
    unsigned defaultTextId;
    int32_t defaultNumber;
};

constexpr char kPublishSubkey[] = "Web\\Publish";

// In the order the publish run reads them: the order is part of the contract.
inline constexpr SettingRow kSettingTable[] = {
    {SettingId::SiteName, kPublishSubkey, "SiteName", SettingType::Text, "", 0, 0},
    {SettingId::LocalDir, kPublishSubkey, "LocalDir", SettingType::Text, "", 0, 0},
    {SettingId::Url, kPublishSubkey, "URL", SettingType::Text, "", 0, 0},
    {SettingId::ShowWizard, kPublishSubkey, "ShowWizard", SettingType::Number, nullptr, 0, 1},
    {SettingId::HomePage, kPublishSubkey, "HomePage", SettingType::Text, "", 0, 0},
    // The components page's address; missing, string 6 (IDS_COMPONENTS_URL).
    {SettingId::ComponentsUrl, "Web", "ComponentsURL", SettingType::Text, nullptr, 6, 0},
};

static_assert(platform::RowsInIdOrder(kSettingTable, SettingId::Count),
              "one row per setting, in the order of SettingId");

constexpr const SettingRow &Setting(SettingId id) {
    return platform::RowOf(kSettingTable, id);
}

}  // namespace zephyne
