#include "publish_settings.h"

#include "framework/res_string.h"
#include "settings_store.h"

namespace zephyne {

SettingsSource StoreSettingsSource() {
    return {settings::ReadRegString, settings::ReadRegDword};
}

std::string ReadTextSetting(const SettingRow &row, const SettingsSource &source) {
    const std::string fallback =
        row.defaultTextId != 0 ? fw::LoadResString(row.defaultTextId) : row.defaultText;
    return source.readText(row.subkey, row.name, fallback);
}

int32_t ReadNumberSetting(const SettingRow &row, const SettingsSource &source) {
    return source.readNumber(row.subkey, row.name, row.defaultNumber);
}

PublishSettings ReadPublishSettings(const SettingsSource &source) {
    PublishSettings s;
    // One statement each, in table order: the order of the reads is part of
    // the contract.
    s.siteName = ReadTextSetting(Setting(SettingId::SiteName), source);
    s.localDir = ReadTextSetting(Setting(SettingId::LocalDir), source);
    s.url = ReadTextSetting(Setting(SettingId::Url), source);
    s.showWizard = ReadNumberSetting(Setting(SettingId::ShowWizard), source);
    s.homePage = ReadTextSetting(Setting(SettingId::HomePage), source);
    return s;
}

}  // namespace zephyne
