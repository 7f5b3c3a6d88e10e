#include "framework/wnd.h"

#include "message_pump.h"

#include <vector>

#include "framework/app.h"
#include "window_props.h"

namespace fw {

namespace {

HINSTANCE ProgramInstance() {
    CApp *app = CApp::Current();
    return app ? app->GetInstance() : ::GetModuleHandleA(nullptr);
}

WNDPROC CurrentProc(HWND hwnd) {
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
}

}  // namespace

CWnd::~CWnd() {
    if (ownsWindow_ && hwnd_)
        ::DestroyWindow(hwnd_);  // routes WM_NCDESTROY, which unlinks us
    if (routed_)
        UnlinkRouting();
    // The application must never point at a main window that is gone.
    CApp *app = CApp::Current();
    if (app && app->GetMainWnd() == this)
        app->SetMainWnd(nullptr);
}

CWnd *CWnd::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<CWnd *>(::GetPropA(hwnd, detail::kObjectProp)) : nullptr;
}

bool CWnd::Attach(HWND hwnd) {
    if (hwnd_ || !::IsWindow(hwnd))
        return false;
    hwnd_ = hwnd;
    return true;
}

HWND CWnd::Detach() {
    HWND hwnd = hwnd_;
    if (routed_)
        UnlinkRouting();
    hwnd_ = nullptr;
    ownsWindow_ = false;
    return hwnd;
}

ATOM CWnd::RegisterWindowClass(WNDCLASSA windowClass) {
    if (!windowClass.lpfnWndProc)
        windowClass.lpfnWndProc = WindowProc;
    if (!windowClass.hInstance)
        windowClass.hInstance = ProgramInstance();
    return ::RegisterClassA(&windowClass);
}

bool CWnd::CreateEx(DWORD exStyle, const char *className, const char *text, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menuOrId) {
    if (hwnd_)
        return false;
    // Windows of our own classes link themselves on WM_NCCREATE from the
    // creation parameter.
    HWND hwnd = ::CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent,
                                  menuOrId, ProgramInstance(), this);
    if (!hwnd)
        return false;
    if (FromHandle(hwnd) != this) {
        // A class with someone else's procedure: take over its messages from here on.
        if (hwnd_ || !SubclassWindow(hwnd)) {
            ::DestroyWindow(hwnd);
            return false;
        }
    }
    ownsWindow_ = true;
    return true;
}

bool CWnd::DestroyWindow() {
    if (!hwnd_)
        return false;
    HWND hwnd = hwnd_;
    if (!routed_) {  // wrapped only: nothing will tell us it is gone
        hwnd_ = nullptr;
        ownsWindow_ = false;
    }
    return ::DestroyWindow(hwnd) != FALSE;
}

bool CWnd::SubclassWindow(HWND hwnd) {
    if (hwnd_ || !::IsWindow(hwnd) || FromHandle(hwnd))
        return false;
    // A window we let go of earlier but whose procedure could not be put back
    // (someone subclassed it after us) still has ours in its chain, with its
    // original procedure in a property: linking the object is then enough.
    auto super = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, detail::kSuperProcProp));
    if (!super) {
        super = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
        if (!super)
            return false;
        ::SetPropA(hwnd, detail::kSuperProcProp, reinterpret_cast<HANDLE>(super));
    }
    superProc_ = super;
    subclassed_ = true;
    LinkRouting(hwnd);
    return true;
}

bool CWnd::SubclassDlgItem(int controlId, const CWnd &dialog) {
    HWND control = ::GetDlgItem(dialog.GetSafeHwnd(), controlId);
    return control && SubclassWindow(control);
}

bool CWnd::UnsubclassWindow() {
    if (!subclassed_)
        return false;
    Detach();
    return true;
}

void CWnd::LinkRouting(HWND hwnd) {
    hwnd_ = hwnd;
    routed_ = true;
    ::SetPropA(hwnd, detail::kObjectProp, this);
}

void CWnd::UnlinkRouting() {
    if (hwnd_) {
        ::RemovePropA(hwnd_, detail::kObjectProp);
        if (subclassed_ && CurrentProc(hwnd_) == WindowProc) {
            ::SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(superProc_));
            ::RemovePropA(hwnd_, detail::kSuperProcProp);
        }
    }
    hwnd_ = nullptr;
    routed_ = false;
    subclassed_ = false;
    ownsWindow_ = false;
    superProc_ = nullptr;
}

bool CWnd::PreTranslateMessage(MSG &) {
    return false;
}

bool CWnd::ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT &) {
    return false;
}

LRESULT CWnd::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!hwnd_)
        return 0;
    return ::CallWindowProcA(superProc_ ? superProc_ : ::DefWindowProcA, hwnd_, message, wParam,
                             lParam);
}

std::string CWnd::GetWindowText() const {
    int length = ::GetWindowTextLengthA(hwnd_);
    if (length <= 0)
        return {};
    std::vector<char> buffer(length + 1);
    int copied = ::GetWindowTextA(hwnd_, buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? copied : 0);
}

LRESULT CALLBACK CWnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd *self = FromHandle(hwnd);
    if (!self && message == WM_NCCREATE) {
        auto *create = reinterpret_cast<CREATESTRUCTA *>(lParam);
        self = static_cast<CWnd *>(create->lpCreateParams);
        if (self) {
            self->superProc_ = ::DefWindowProcA;
            self->LinkRouting(hwnd);
        }
    }
    if (!self) {
        auto super = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, detail::kSuperProcProp));
        if (message == WM_NCDESTROY)
            ::RemovePropA(hwnd, detail::kSuperProcProp);
        return ::CallWindowProcA(super ? super : ::DefWindowProcA, hwnd, message, wParam, lParam);
    }

    // Kept aside: a handler may destroy the window, which unlinks the object.
    WNDPROC super = self->superProc_;
    LRESULT result = 0;
    bool handled;
    try {
        handled = self->ProcessWindowMessage(hwnd, message, wParam, lParam, result);
    } catch (...) {
        // Answered as refused (0), without the default processing.
        detail::KeepPendingException(std::current_exception());
        handled = true;
        result = 0;
    }
    if (!handled)
        result = ::CallWindowProcA(super, hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY && FromHandle(hwnd) == self)
        self->UnlinkRouting();
    return result;
}

}  // namespace fw
