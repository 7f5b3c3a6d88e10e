#include "progress_window.h"

#include "platform/code_page.h"

#include <commctrl.h>

#include "dll_module.h"
#include "resource_ids.h"

namespace webpost {

namespace {

// Enough to keep the window alive without slowing a fast local post.
constexpr DWORD kPumpIntervalMs = 30;

}  // namespace

ProgressWindow::ProgressWindow(HWND owner) : owner_(owner) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    dialog_.Reset(::CreateDialogParamA(DllModule(), MAKEINTRESOURCEA(IDD_WP_PROGRESS), owner_,
                                       DialogProc, reinterpret_cast<LPARAM>(this)));
    if (!dialog_)
        return;
    if (owner_) {
        ownerWasEnabled_ = ::IsWindowEnabled(owner_) != FALSE;
        ::EnableWindow(owner_, FALSE);
    }
    ::SendDlgItemMessageA(dialog_.Get(), IDC_WP_BAR, PBM_SETRANGE32, 0, 1000);
    ::ShowWindow(dialog_.Get(), SW_SHOWNORMAL);
    ::UpdateWindow(dialog_.Get());
    Pump();
}

ProgressWindow::~ProgressWindow() {
    // Enabled before the window goes, so that activation returns to the owner.
    if (owner_ && ownerWasEnabled_)
        ::EnableWindow(owner_, TRUE);
}

INT_PTR CALLBACK ProgressWindow::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        return TRUE;
    }
    auto *self = reinterpret_cast<ProgressWindow *>(::GetWindowLongPtrA(dialog, DWLP_USER));
    // The button and Escape; the window itself stays until the post ends.
    if (self && message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        self->CancelClicked(dialog);
        return TRUE;
    }
    return FALSE;
}

void ProgressWindow::CancelClicked(HWND dialog) {
    cancelClicked_ = true;
    ::EnableWindow(::GetDlgItem(dialog, IDCANCEL), FALSE);
    ::SetDlgItemTextA(dialog, IDC_WP_COUNT, "Cancelling after this file...");
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
        if (dialog_ && ::IsDialogMessageA(dialog_.Get(), &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void ProgressWindow::FileStarting(const std::string &remote, std::size_t index, std::size_t count) {
    if (!dialog_)
        return;
    // Names inside a post are UTF-8, and may hold characters the system code
    // page lacks.
    ::SetDlgItemTextW(dialog_.Get(), IDC_WP_FILE,
                      platform::CodePageToWide(remote, CP_UTF8).c_str());
    if (!cancelClicked_) {
        const std::string line =
            "File " + std::to_string(index + 1) + " of " + std::to_string(count);
        ::SetDlgItemTextA(dialog_.Get(), IDC_WP_COUNT, line.c_str());
    }
    Pump();
}

void ProgressWindow::BytesDone(std::uint64_t done, std::uint64_t total) {
    if (!dialog_)
        return;
    const int position = total ? static_cast<int>(done * 1000 / total) : 1000;
    ::SendDlgItemMessageA(dialog_.Get(), IDC_WP_BAR, PBM_SETPOS, position, 0);
    if (::GetTickCount() - lastPump_ >= kPumpIntervalMs || done == total)
        Pump();
}

bool ProgressWindow::CancelRequested() {
    Pump();
    return cancelClicked_;
}

}  // namespace webpost
