#include "message_pump.h"

#include "framework/app.h"
#include "framework/wnd.h"

namespace fw::detail {

namespace {

bool IsChildWindow(HWND hwnd)
{
    return (::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) != 0;
}

// The main window sees every message first, also those for other top-level
// windows (which are not its descendants and would otherwise never reach
// it). Then the objects of the target window and its parents, nearest
// first; a dialog among them runs its keyboard interface.
bool PreTranslate(MSG &msg)
{
    CApp *app = CApp::Current();
    CWnd *mainWnd = app ? app->GetMainWnd() : nullptr;
    if (mainWnd && mainWnd->PreTranslateMessage(msg))
        return true;
    for (HWND hwnd = msg.hwnd; hwnd; hwnd = IsChildWindow(hwnd) ? ::GetParent(hwnd) : nullptr) {
        CWnd *window = CWnd::FromHandle(hwnd);
        if (window && window != mainWnd && window->PreTranslateMessage(msg))
            return true;
    }
    return false;
}

}  // namespace

void RouteQueuedMessage(MSG &msg)
{
    if (PreTranslate(msg))
        return;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
}

}  // namespace fw::detail
