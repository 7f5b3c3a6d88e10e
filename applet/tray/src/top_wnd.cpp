#include "top_wnd.h"

#include "applet_messages.h"
#include "card_watch.h"
#include "tolvarc_ids.h"

namespace applet {

CTopWnd::CTopWnd(NotifyIconEntry notifyIcon) : notifyIcon_(notifyIcon) {}

CTopWnd::~CTopWnd() {
    DestroyWindow();
}

bool CTopWnd::RegisterClass(HINSTANCE instance, HICON icon) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    // The platform's procedure: the framework subclasses the window it creates.
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.lpszClassName = kAppletClassName;
    return ::RegisterClassA(&windowClass) != 0;
}

void CTopWnd::UnregisterClass(HINSTANCE instance) {
    ::UnregisterClassA(kAppletClassName, instance);
}

bool CTopWnd::Create() {
    const bool created = CreateEx(WS_EX_TOOLWINDOW, kAppletClassName, kAppletClassName, WS_POPUP,
                                  -500, -500, 0, 0, nullptr);
    if (created)
        ShowWindow(SW_HIDE);
    return created;
}

LRESULT CTopWnd::OnDeviceChange(UINT, WPARAM wParam, LPARAM lParam, bool &handled) {
    // The main dialog takes the card arrival from the queue; the broadcast
    // gets the default answer either way.
    if (IsCardArrival(wParam, lParam))
        PostMessage(WM_CARDARRIVED, 0, 0);
    handled = false;
    return 0;
}

LRESULT CTopWnd::OnDestroy(UINT, WPARAM, LPARAM, bool &handled) {
    SetTrayIcon(notifyIcon_, NIM_DELETE, std::string(), 0, nullptr);
    handled = false;
    return 0;
}

}  // namespace applet
