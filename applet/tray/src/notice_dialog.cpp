#include "notice_dialog.h"

#include "tolvarc_ids.h"

namespace applet {

NoticePlace NoticePlaceOnScreen(int screenWidth, int screenHeight, int width, int height) {
    return {screenWidth - width, screenHeight - height - 40};
}

CNoticeDlg::CNoticeDlg() : fw::CDialog(IDD_NOTICE, nullptr) {
    if (!Create())
        return;
    HWND hwnd = GetSafeHwnd();
    RECT rect = {};
    ::GetWindowRect(hwnd, &rect);
    const NoticePlace place =
        NoticePlaceOnScreen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                            rect.right - rect.left, rect.bottom - rect.top);
    ::SetWindowPos(hwnd, HWND_TOPMOST, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::UpdateWindow(hwnd);
}

CNoticeDlg::~CNoticeDlg() {
    DestroyWindow();
}

}  // namespace applet
