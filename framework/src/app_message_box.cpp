#include "framework/app.h"

#include "framework/wnd.h"

namespace fw {

int AppMessageBox(const std::string &text, UINT flags) {
    CApp *app = CApp::Current();
    std::string caption = app ? app->GetAppName() : ProgramBaseName();
    HWND owner = nullptr;
    if (CWnd *mainWnd = app ? app->GetMainWnd() : nullptr) {
        if (HWND main = mainWnd->GetSafeHwnd()) {
            // While the main window shows a dialog, the box belongs to that dialog.
            owner = ::GetLastActivePopup(::GetAncestor(main, GA_ROOT));
        }
    }
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

}  // namespace fw
