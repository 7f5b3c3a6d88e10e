#include "task_window.h"

#include <commctrl.h>

#include "standin_protocol.h"

namespace standin {

static_assert(kEndTaskButtonId == 1001, "the task window's button id is part of the protocol");
static_assert(kCancelButtonId == 1005, "the task window's Cancel id belongs to the protocol");

namespace {

// Client area in pixels; the window sits near the top left, away from the
// applet's notice in the bottom right corner.
constexpr int kWidth = 360;
constexpr int kHeight = 260;

void UseDialogFont(const fw::CWnd &control) {
    control.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                        TRUE);
}

}  // namespace

bool CTaskWindow::Create() {
    static ATOM windowClass = [] {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
        ::InitCommonControlsEx(&controls);
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
    auto child = [&](fw::CWnd &control, const char *className, const char *text, DWORD extra,
                     DWORD exStyle, int x, int y, int width, int height, int id) {
        HWND hwnd = ::CreateWindowExA(
            exStyle, className, text, WS_CHILD | WS_VISIBLE | extra, x, y, width, height, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        return hwnd && control.Attach(hwnd) && (UseDialogFont(control), true);
    };
    const int inner = kWidth - 24;
    return child(status_, "STATIC", "", SS_LEFT, 0, 12, 12, inner, 16, -1) &&
           child(client_, "STATIC", "", SS_LEFT | SS_NOPREFIX, 0, 12, 32, inner, 16, -1) &&
           child(list_, "LISTBOX", "", WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL,
                 WS_EX_CLIENTEDGE, 12, 54, inner, 104, kPictureListId) &&
           child(progress_, PROGRESS_CLASSA, "", 0, 0, 12, 166, inner, 16, kProgressBarId) &&
           child(activity_, "STATIC", "", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0, 12, 188, inner,
                 16, kActivityTextId) &&
           child(cancel_, "BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, kWidth - 196,
                 kHeight - 40, 88, 26, kCancelButton) &&
           child(button_, "BUTTON", "&End Task", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, kWidth - 100,
                 kHeight - 40, 88, 26, kEndTaskButton);
}

bool CTaskWindow::Show(const std::string &openedBy, const std::string &clientTitle) {
    if (!GetSafeHwnd() && !Create())
        return false;
    status_.SetWindowText("Camera task open (" + openedBy + ").");
    client_.SetWindowText("Client: " +
                          (clientTitle.empty() ? std::string("(no title)") : clientTitle));
    button_.SetWindowText("&End Task");
    ShowPictures({});
    SetActivity("");
    SetProgress(0);
    ShowCancel(false);
    ShowWindow(SW_SHOWNORMAL);
    ::UpdateWindow(hwnd_);
    return true;
}

void CTaskWindow::Hide() {
    if (GetSafeHwnd())
        ShowWindow(SW_HIDE);
}

void CTaskWindow::ShowPictures(const std::vector<std::string> &lines) {
    list_.SendMessage(LB_RESETCONTENT);
    for (const std::string &line : lines)
        list_.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void CTaskWindow::SetActivity(const std::string &text) {
    activity_.SetWindowText(text);
}

void CTaskWindow::SetProgress(int percent) {
    progress_.SendMessage(PBM_SETPOS, static_cast<WPARAM>(percent));
}

void CTaskWindow::ShowCancel(bool shown) {
    cancel_.ShowWindow(shown ? SW_SHOW : SW_HIDE);
}

void CTaskWindow::ShowClose() {
    ShowCancel(false);
    button_.SetWindowText("&Close");
}

}  // namespace standin
