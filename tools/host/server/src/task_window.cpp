#include "task_window.h"

#include "standin_protocol.h"

namespace standin {

static_assert(kEndTaskButtonId == 1001, "the task window's button id is part of the protocol");

namespace {

// Client area in pixels; the window sits near the top left, away from the
// applet's notice in the bottom right corner.
constexpr int kWidth = 300;
constexpr int kHeight = 120;

void UseDialogFont(const fw::CWnd &control) {
    control.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                        TRUE);
}

}  // namespace

bool CTaskWindow::Create() {
    static ATOM windowClass = [] {
        WNDCLASSA wc = {};
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kTaskWindowClass;
        return fw::CWnd::RegisterWindowClass(wc);
    }();
    if (!windowClass)
        return false;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame = {0, 0, kWidth, kHeight};
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    if (!CreateEx(0, kTaskWindowClass, kTaskWindowTitle, style, 80, 80, frame.right - frame.left,
                  frame.bottom - frame.top, nullptr))
        return false;
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    auto child = [&](fw::CWnd &control, const char *className, const char *text, DWORD extra, int x,
                     int y, int width, int height, int id) {
        HWND hwnd = ::CreateWindowExA(
            0, className, text, WS_CHILD | WS_VISIBLE | extra, x, y, width, height, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        return hwnd && control.Attach(hwnd) && (UseDialogFont(control), true);
    };
    return child(status_, "STATIC", "", SS_LEFT, 12, 12, kWidth - 24, 16, -1) &&
           child(client_, "STATIC", "", SS_LEFT | SS_NOPREFIX, 12, 34, kWidth - 24, 16, -1) &&
           child(button_, "BUTTON", "&End Task", BS_DEFPUSHBUTTON | WS_TABSTOP, kWidth - 100,
                 kHeight - 40, 88, 26, kEndTaskButton);
}

bool CTaskWindow::Show(const std::string &openedBy, const std::string &clientTitle) {
    if (!GetSafeHwnd() && !Create())
        return false;
    status_.SetWindowText("Camera task open (" + openedBy + ").");
    client_.SetWindowText("Client: " +
                          (clientTitle.empty() ? std::string("(no title)") : clientTitle));
    ShowWindow(SW_SHOWNORMAL);
    ::UpdateWindow(hwnd_);
    return true;
}

void CTaskWindow::Hide() {
    if (GetSafeHwnd())
        ShowWindow(SW_HIDE);
}

}  // namespace standin
