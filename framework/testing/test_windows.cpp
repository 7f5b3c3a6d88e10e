#include "test_windows.h"

namespace testsupport {

namespace {

const char kRecordingClass[] = "FwTestRecordingWindow";

bool EnsureRecordingClass() {
    WNDCLASSA windowClass = {};
    if (::GetClassInfoA(::GetModuleHandleA(nullptr), kRecordingClass, &windowClass))
        return true;
    windowClass.lpszClassName = kRecordingClass;
    windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    return fw::CWnd::RegisterWindowClass(windowClass) != 0;
}

}  // namespace

bool CRecordingWindow::Create(const char *title, int x, int y) {
    return EnsureRecordingClass() &&
           CreateEx(0, kRecordingClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 300, 200,
                    nullptr);
}

bool CRecordingWindow::PreTranslateMessage(MSG &msg) {
    preTranslated.RecordPosted(msg);
    return consumeInHook != 0 && msg.message == consumeInHook;
}

LRESULT CRecordingWindow::OnTestMessage(UINT message, WPARAM wParam, LPARAM lParam, bool &) {
    dispatched.RecordInProcedure(hwnd_, message, wParam, lParam);
    return 0;
}

bool CScriptedDialog::PreTranslateMessage(MSG &msg) {
    preTranslated.RecordPosted(msg);
    if (consumeInHook != 0 && msg.message == consumeInHook)
        return true;
    return CDialog::PreTranslateMessage(msg);
}

bool CScriptedDialog::OnInitDialog() {
    bool result = CDialog::OnInitDialog();
    if (onInit)
        onInit(*this);
    return result;
}

LRESULT CScriptedDialog::OnTestMessage(UINT message, WPARAM wParam, LPARAM lParam, bool &) {
    dispatched.RecordInProcedure(hwnd_, message, wParam, lParam);
    if (onTestMessage)
        onTestMessage(*this);
    return 0;
}

LRESULT CScriptedDialog::OnFinish(WORD, WORD, HWND, bool &) {
    if (onFinish)
        onFinish(*this);
    return 0;
}

void DrainQueue() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

}  // namespace testsupport
