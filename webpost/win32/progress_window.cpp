#include "progress_window.h"

#include <commctrl.h>

#include "resource_ids.h"

namespace webpost {

namespace {

// Enough to keep the window alive without slowing a fast local post.
constexpr DWORD kPumpIntervalMs = 30;

}  // namespace

ProgressDialog::ProgressDialog() : fw::CDialog(IDD_WP_PROGRESS) {}

void ProgressDialog::OnCancelClicked() {
    cancelClicked_ = true;
    ::EnableWindow(GetDlgItem(IDCANCEL), FALSE);
    ::SetDlgItemTextA(hwnd_, IDC_WP_COUNT, "Cancelling after this file...");
}

ProgressWindow::ProgressWindow(HWND owner) : owner_(owner) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    if (!dialog_.Create())
        return;
    HWND hwnd = dialog_.GetSafeHwnd();
    if (owner_) {
        ::SetWindowLongPtrA(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner_));
        ownerWasEnabled_ = ::IsWindowEnabled(owner_) != FALSE;
        ::EnableWindow(owner_, FALSE);
    }
    ::SendDlgItemMessageA(hwnd, IDC_WP_BAR, PBM_SETRANGE32, 0, 1000);
    ::ShowWindow(hwnd, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd);
    Pump();
}

ProgressWindow::~ProgressWindow() {
    if (owner_ && ownerWasEnabled_)
        ::EnableWindow(owner_, TRUE);
    dialog_.DestroyWindow();
}

void ProgressWindow::Pump() {
    lastPump_ = ::GetTickCount();
    MSG msg;
    for (int i = 0; !quitSeen_ && i < 200 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) {
            // Belongs to the caller's loop: put it back and leave the queue be.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            quitSeen_ = true;
            return;
        }
        if (dialog_.GetSafeHwnd() && ::IsDialogMessageA(dialog_.GetSafeHwnd(), &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void ProgressWindow::FileStarting(const std::string &remote, std::size_t index, std::size_t count) {
    HWND hwnd = dialog_.GetSafeHwnd();
    if (!hwnd)
        return;
    ::SetDlgItemTextA(hwnd, IDC_WP_FILE, remote.c_str());
    if (!dialog_.CancelClicked()) {
        const std::string line =
            "File " + std::to_string(index + 1) + " of " + std::to_string(count);
        ::SetDlgItemTextA(hwnd, IDC_WP_COUNT, line.c_str());
    }
    Pump();
}

void ProgressWindow::BytesDone(std::uint64_t done, std::uint64_t total) {
    HWND hwnd = dialog_.GetSafeHwnd();
    if (!hwnd)
        return;
    const int position = total ? static_cast<int>(done * 1000 / total) : 1000;
    ::SendDlgItemMessageA(hwnd, IDC_WP_BAR, PBM_SETPOS, position, 0);
    if (::GetTickCount() - lastPump_ >= kPumpIntervalMs || done == total)
        Pump();
}

bool ProgressWindow::CancelRequested() {
    Pump();
    return dialog_.CancelClicked();
}

}  // namespace webpost
