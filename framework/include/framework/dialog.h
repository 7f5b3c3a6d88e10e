// Dialogs built from a numbered template of the application's resource
// module, shown modally through the framework's own loop or modeless.
//
// Modal: the dialog is created modeless, its owner is disabled, and the loop
// offers every queued message to the application's main window first (its
// PreTranslateMessage), then to the window objects of the message's window
// and its parents (a dialog's handles its keyboard interface), and only then
// translates and dispatches it. EndDialog ends the loop; the owner is enabled
// again before the dialog window goes away, and DoModal returns the result.
#pragma once
#include <windows.h>

#include "framework/wnd.h"

namespace fw {

class CDataExchange;

class CDialog : public CWnd {
public:
    // `parent` of a modal showing defaults to the application's main window;
    // a modeless dialog without parent has no owner.
    explicit CDialog(UINT templateId, CWnd *parent = nullptr);
    ~CDialog() override;

    UINT GetTemplateId() const { return templateId_; }

    // Runs the dialog and returns what EndDialog was given: -1 when the
    // template cannot be loaded, when the window is destroyed without
    // EndDialog, or when WM_QUIT arrives (which is posted again for the
    // loop further out).
    INT_PTR DoModal();
    // Creates the dialog modeless; it shows when its template says so.
    bool Create();
    // Modal: ends the loop with `result`. Modeless: destroys the window.
    void EndDialog(int result);
    bool IsModal() const { return modal_; }

    // Runs DoDataExchange: controls into members when `save`, else members
    // into controls. False when a control the exchange names is missing.
    bool UpdateData(bool save);

    // Shows the dialog when it is run modally (the default). A dialog that
    // must live modally but unseen turns this off before DoModal.
    void SetShowWhenModal(bool show) { showWhenModal_ = show; }

    // Keyboard interface of the dialog for messages to it or its controls.
    bool PreTranslateMessage(MSG &msg) override;

protected:
    // Default: members into controls; true lets the system set the focus.
    virtual bool OnInitDialog();
    // Default: controls into members, then end with IDOK (not when the
    // exchange failed).
    virtual void OnOK();
    // Default: end with IDCANCEL.
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange &exchange);

private:
    // The system's entry: no exception leaves it (see RouteDialogMessage).
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR RouteDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateFromTemplate(HWND owner);
    HWND ModalOwner() const;
    void RunModalLoop();

    UINT templateId_;
    CWnd *parent_;
    bool modal_ = false;
    bool endRequested_ = false;
    bool showWhenModal_ = true;
    INT_PTR result_ = -1;
};

}  // namespace fw
