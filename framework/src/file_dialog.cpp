#include "framework/file_dialog.h"

#include <vector>

#include "message_pump.h"

namespace fw {

namespace {

constexpr char kObjectProperty[] = "fw.CFileDialog";
constexpr char kPreviousProcProperty[] = "fw.CFileDialog.proc";

}  // namespace

CFileDialog::CFileDialog(bool openDialog, DWORD flags, HWND owner)
    : open_(openDialog), flags_(flags), owner_(owner) {}

CFileDialog::~CFileDialog() = default;

HWND CFileDialog::GetDialogWindow() const {
    return hook_ ? ::GetParent(hook_) : nullptr;
}

INT_PTR CFileDialog::DoModal() {
    std::vector<char> file(MAX_PATH, '\0');
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = initialFolder_.empty() ? nullptr : initialFolder_.c_str();
    ofn.lpstrTitle = caption_.empty() ? nullptr : caption_.c_str();
    ofn.Flags = flags_ | OFN_EXPLORER | OFN_ENABLEHOOK;
    ofn.lpfnHook = HookProc;
    ofn.lCustData = reinterpret_cast<LPARAM>(this);
    const BOOL chosen = open_ ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
    hook_ = nullptr;
    detail::RethrowPendingException();
    if (!chosen)
        return IDCANCEL;
    fileName_ = file.data();
    return IDOK;
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    // Called by the system: nothing may be thrown through it.
    try {
        if (message == WM_INITDIALOG) {
            const auto *ofn = reinterpret_cast<const OPENFILENAMEA *>(lParam);
            auto *self = reinterpret_cast<CFileDialog *>(ofn->lCustData);
            ::SetPropA(hwnd, kObjectProperty, self);
            self->hook_ = hwnd;
            // The dialog window's own end is watched there: by the time the
            // hook's child goes, its sibling controls may be gone already.
            HWND dialog = ::GetParent(hwnd);
            ::SetPropA(dialog, kObjectProperty, self);
            ::SetPropA(dialog, kPreviousProcProperty,
                       reinterpret_cast<HANDLE>(::SetWindowLongPtrA(
                           dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DialogWatch))));
            return 0;
        }
        auto *self = static_cast<CFileDialog *>(::GetPropA(hwnd, kObjectProperty));
        if (!self)
            return 0;
        self->Route(message, lParam);
        if (message == WM_DESTROY)
            ::RemovePropA(hwnd, kObjectProperty);
    } catch (...) {
        detail::KeepPendingException(std::current_exception());
    }
    return 0;
}

LRESULT CALLBACK CFileDialog::DialogWatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, kPreviousProcProperty));
    if (message == WM_DESTROY) {
        if (auto *self = static_cast<CFileDialog *>(::GetPropA(hwnd, kObjectProperty))) {
            try {
                self->OnDestroy();
            } catch (...) {
                detail::KeepPendingException(std::current_exception());
            }
        }
        ::RemovePropA(hwnd, kObjectProperty);
        ::RemovePropA(hwnd, kPreviousProcProperty);
    }
    return ::CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

void CFileDialog::Route(UINT message, LPARAM lParam) {
    if (message != WM_NOTIFY)
        return;
    switch (reinterpret_cast<const NMHDR *>(lParam)->code) {
    case CDN_INITDONE:
        OnInitDone();
        break;
    case CDN_SELCHANGE:
        OnFileNameChange();
        break;
    case CDN_FOLDERCHANGE:
        OnFolderChange();
        break;
    default:
        break;
    }
}

}  // namespace fw
