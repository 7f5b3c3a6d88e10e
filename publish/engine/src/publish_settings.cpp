#include "publish_settings.h"

#include "settings_store.h"

namespace zephyne {

SettingsSource StoreSettingsSource() {
    return {settings::ReadRegString, settings::ReadRegDword};
}

PublishSettings ReadPublishSettings(const SettingsSource &source) {
    PublishSettings s;
    // One statement each: the order of the reads is part of the contract.
    s.siteName = source.readText(kPublishSubkey, "SiteName", "");
    s.localDir = source.readText(kPublishSubkey, "LocalDir", "");
    s.url = source.readText(kPublishSubkey, "URL", "");
    s.showWizard = source.readNumber(kPublishSubkey, "ShowWizard", 1);
    s.homePage = source.readText(kPublishSubkey, "HomePage", "");
    return s;
}

}  // namespace zephyne
