// The platform's file-open and file-save dialog, explorer style, with a hook
// that turns its notifications into virtual operations. The hook lives in a
// child dialog that the common dialog makes for it; the common dialog's own
// window is that child's parent (GetDialogWindow).
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <string>

namespace fw {

class CFileDialog {
public:
    // `flags` as OPENFILENAME takes them; OFN_EXPLORER and OFN_ENABLEHOOK are
    // added. No default extension, file name or filter unless set.
    CFileDialog(bool openDialog, DWORD flags, HWND owner);
    virtual ~CFileDialog();
    CFileDialog(const CFileDialog &) = delete;
    CFileDialog &operator=(const CFileDialog &) = delete;

    // The folder the dialog opens in (empty: the platform chooses) and its
    // caption (empty: the platform's).
    void SetInitialFolder(const std::string &folder) { initialFolder_ = folder; }
    void SetCaption(const std::string &caption) { caption_ = caption; }

    // IDOK when the dialog ended with success, IDCANCEL otherwise. What a
    // notification threw comes out here, after the dialog has gone.
    INT_PTR DoModal();

    // While the dialog runs: the common dialog's window and the hook's child.
    HWND GetDialogWindow() const;
    HWND GetHookWindow() const { return hook_; }

    // The file name the platform's own checks accepted (after IDOK).
    std::string GetFileName() const { return fileName_; }

protected:
    // The common dialog has laid itself out (CDN_INITDONE).
    virtual void OnInitDone() {}
    // The selection in the folder view changed (CDN_SELCHANGE).
    virtual void OnFileNameChange() {}
    // The dialog moved to another folder (CDN_FOLDERCHANGE).
    virtual void OnFolderChange() {}
    // The dialog window is being destroyed; its controls still exist.
    virtual void OnDestroy() {}

private:
    static UINT_PTR CALLBACK HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Put in front of the dialog window's procedure to see its WM_DESTROY;
    // a procedure put in front of it later passes messages on to it.
    static LRESULT CALLBACK DialogWatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Route(UINT message, LPARAM lParam);

    bool open_;
    DWORD flags_;
    HWND owner_;
    std::string initialFolder_;
    std::string caption_;
    std::string fileName_;
    HWND hook_ = nullptr;
};

}  // namespace fw
