#include "framework/file_dialog.h"

#include <vector>

#include "message_pump.h"

namespace fw {

namespace {

constexpr char kObjectProperty[] = "fw.CFileDialog";

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

void CFileDialog::Route(UINT message, LPARAM lParam) {
    if (message == WM_DESTROY) {
        OnDestroy();
        return;
    }
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
