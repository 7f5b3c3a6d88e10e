#include "framework/dialog.h"

#include "framework/app.h"
#include "framework/data_exchange.h"
#include "message_pump.h"

namespace fw {

namespace {

// Messages whose answer is the dialog procedure's return value itself
// rather than DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

HMODULE ResourceModule() {
    CApp *app = CApp::Current();
    return app ? app->GetResourceModule() : ::GetModuleHandleA(nullptr);
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd *parent) : templateId_(templateId), parent_(parent) {}

CDialog::~CDialog() {
    if (hwnd_)
        ::DestroyWindow(hwnd_);
}

bool CDialog::CreateFromTemplate(HWND owner) {
    if (hwnd_)
        return false;
    endRequested_ = false;
    result_ = -1;
    // WM_INITDIALOG hands `this` to the dialog procedure, which links us.
    HWND hwnd = ::CreateDialogParamA(ResourceModule(), MAKEINTRESOURCEA(templateId_), owner,
                                     DialogProc, reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr;
}

HWND CDialog::ModalOwner() const {
    HWND owner = parent_ ? parent_->GetSafeHwnd() : nullptr;
    if (!owner) {
        CApp *app = CApp::Current();
        CWnd *mainWnd = app ? app->GetMainWnd() : nullptr;
        if (mainWnd && mainWnd != this)
            owner = mainWnd->GetSafeHwnd();
    }
    // Disabling must reach the top-level window the user would click.
    return owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
}

INT_PTR CDialog::DoModal() {
    HWND owner = ModalOwner();
    modal_ = true;
    if (!CreateFromTemplate(owner)) {
        modal_ = false;
        detail::RethrowPendingException();
        return -1;
    }

    // Also when a handler's exception ends the showing: the owner must not
    // stay disabled, nor the dialog on the screen.
    struct ModalEnd {
        CDialog &dialog;
        HWND owner = nullptr;
        bool enableOwner = false;
        ~ModalEnd() {
            // Enabled before the dialog goes, so that activation returns to the owner.
            if (enableOwner)
                ::EnableWindow(owner, TRUE);
            if (dialog.hwnd_) {
                ::SetWindowPos(dialog.hwnd_, nullptr, 0, 0, 0, 0,
                               SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE |
                                   SWP_NOZORDER);
                ::DestroyWindow(dialog.hwnd_);
            }
            dialog.modal_ = false;
        }
    } end{*this};
    // What WM_INITDIALOG threw comes out before the dialog is shown.
    detail::RethrowPendingException();

    // Only an owner we disabled is enabled again: one that was disabled
    // already (by an outer modal loop) stays so.
    if (owner && ::IsWindowEnabled(owner) && !endRequested_) {
        ::EnableWindow(owner, FALSE);
        end.owner = owner;
        end.enableOwner = true;
    }
    if (hwnd_ && !endRequested_ && showWhenModal_ &&
        !(::GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_VISIBLE))
        ::ShowWindow(hwnd_, SW_SHOWNORMAL);

    RunModalLoop();
    return result_;
}

void CDialog::RunModalLoop() {
    while (!endRequested_ && hwnd_) {
        MSG msg;
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1) {
            result_ = -1;
            return;
        }
        if (got == 0) {
            // The quit belongs to the loop further out: leave it there.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            result_ = -1;
            return;
        }
        detail::RouteQueuedMessage(msg);
    }
    if (!endRequested_)
        result_ = -1;  // destroyed from outside
}

bool CDialog::Create() {
    modal_ = false;
    return CreateFromTemplate(parent_ ? parent_->GetSafeHwnd() : nullptr);
}

void CDialog::EndDialog(int result) {
    result_ = result;
    endRequested_ = true;
    if (!hwnd_)
        return;
    if (modal_)
        ::PostMessageA(hwnd_, WM_NULL, 0, 0);  // wakes the loop if it waits
    else
        ::DestroyWindow(hwnd_);
}

bool CDialog::UpdateData(bool save) {
    CDataExchange exchange(*this, save);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

bool CDialog::PreTranslateMessage(MSG &msg) {
    if (!hwnd_ || !msg.hwnd || (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd)))
        return false;
    return ::IsDialogMessageA(hwnd_, &msg) != FALSE;
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange &) {}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return RouteDialogMessage(hwnd, message, wParam, lParam);
    } catch (...) {
        // Answered as not processed; the loop that dispatched the message
        // throws it again.
        detail::KeepPendingException(std::current_exception());
        return FALSE;
    }
}

INT_PTR CDialog::RouteDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto *self = reinterpret_cast<CDialog *>(lParam);
        ::SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        self->LinkRouting(hwnd);
        return self->OnInitDialog() ? TRUE : FALSE;
    }
    auto *self = reinterpret_cast<CDialog *>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    // Messages before WM_INITDIALOG (WM_SETFONT), and all of them once the
    // object has let go of the window, are the system's.
    if (!self || self->hwnd_ != hwnd)
        return FALSE;

    LRESULT result = 0;
    bool handled = self->ProcessWindowMessage(hwnd, message, wParam, lParam, result);
    if (!handled && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        // Enter, Escape, the close box and buttons with these ids.
        if (LOWORD(wParam) == IDOK) {
            self->OnOK();
            handled = true;
        } else if (LOWORD(wParam) == IDCANCEL) {
            self->OnCancel();
            handled = true;
        }
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->UnlinkRouting();
        return FALSE;
    }
    if (!handled)
        return FALSE;
    if (AnswersDirectly(message))
        return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace fw
