#include "applet_test_app.h"

#include "framework/app.h"
#include "settings_store.h"
#include "tolvarc_ids.h"

namespace testsupport {

namespace {

class CAppletTestApp : public fw::CApp {
public:
    CAppletTestApp() : resources_(::LoadLibraryA("Tolvarc.dll")) {
        if (resources_)
            SetResourceModule(resources_);
        settings::SetProductKeySource({resources_, IDS_PRODUCT_KEY});
    }
    HMODULE Resources() const { return resources_; }

private:
    HMODULE resources_;  // stays loaded, as in the applet
};

CAppletTestApp testApplication;

}  // namespace

HMODULE AppletResources() {
    return testApplication.Resources();
}

}  // namespace testsupport
