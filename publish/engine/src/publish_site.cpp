#include "publish_site.h"

#include <windows.h>

#include <vector>

#include "framework/app.h"
#include "framework/res_string.h"
#include "missing_component_dlg.h"
#include "post_contract.h"
#include "save_completed_dlg.h"
#include "webpost_entries.h"
#include "zephyne_ids.h"

namespace zephyne {

namespace {

// The wait cursor for the time of the call, put back on every way out.
class CWaitCursor {
public:
    CWaitCursor() : previous_(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(previous_); }
    CWaitCursor(const CWaitCursor &) = delete;
    CWaitCursor &operator=(const CWaitCursor &) = delete;

private:
    HCURSOR previous_;
};

}  // namespace

std::string GetPostErrorText(uint32_t code) {
    std::vector<char> buffer(kErrorTextLength + 1, '\0');
    DWORD length = kErrorTextLength;
    uint32_t answer = 1;
    bool called = CallWpGetErrorStringA(code, buffer.data(), &length, answer);
    return ErrorTextFrom(buffer, called && answer == 0, length);
}

void PublishSite(const SettingsSource &source) {
    const PublishSettings settings = ReadPublishSettings(source);

    std::vector<char> siteName = PostBuffer(settings.siteName);
    std::vector<char> localDir = PostBuffer(settings.localDir);
    std::vector<char> url = PostBuffer(settings.url);
    DWORD siteNameLength = kPostBufferLength;
    DWORD urlLength = kPostBufferLength;
    char *localPaths[1] = {localDir.data()};
    bool componentMissing = false;
    uint32_t result = 0;
    {
        CWaitCursor wait;
        componentMissing =
            !CallWpPostA(nullptr, 1, localPaths, &siteNameLength, siteName.data(), &urlLength,
                         url.data(), FlagWordFor(settings.showWizard), result);
        if (componentMissing)
            result = 0;
    }
    // What the library wrote back is not used: the next run posts with the
    // settings as the host left them.

    switch (DecideOutcome(componentMissing, result, settings.homePage)) {
    case Outcome::MissingComponent: {
        CMissingComponentDlg dialog;
        dialog.SetMessage(fw::LoadResString(IDS_MISSING_COMPONENT));
        dialog.DoModal();
        break;
    }
    case Outcome::SaveCompleted: {
        CSaveCompletedDlg dialog(settings.homePage, settings.homePage);
        dialog.DoModal();
        break;
    }
    case Outcome::ErrorMessage: {
        std::string text = GetPostErrorText(result);
        if (!text.empty())
            fw::AppMessageBox(text, MB_OK);
        break;
    }
    case Outcome::Nothing:
        break;
    }
}

}  // namespace zephyne
