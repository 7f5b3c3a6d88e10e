#include "message_pump.h"

#include "framework/app.h"
#include "framework/wnd.h"

#include <utility>

namespace fw::detail {

namespace {

// One thread runs each program's windows; a second thread would have a
// pending slot of its own.
thread_local std::exception_ptr pendingException;

bool IsChildWindow(HWND hwnd) {
    return (::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) != 0;
}

// The main window sees every message first, also those for other top-level
// windows (which are not its descendants and would otherwise never reach
// it). Then the objects of the target window and its parents, nearest
// first; a dialog among them runs its keyboard interface.
bool PreTranslate(MSG &msg) {
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

void KeepPendingException(std::exception_ptr exception) {
    if (!pendingException)
        pendingException = std::move(exception);
}

void RethrowPendingException() {
    if (std::exception_ptr exception = std::exchange(pendingException, nullptr))
        std::rethrow_exception(exception);
}

void RouteQueuedMessage(MSG &msg) {
    if (!PreTranslate(msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    RethrowPendingException();
}

}  // namespace fw::detail
