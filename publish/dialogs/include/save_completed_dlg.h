#pragma once
// The Save Completed dialog (template 466): a message and the published home
// page as a self-drawn link in place of the template's placeholder; the
// dialog grows around a link that needs more room (FitDialogToLink).
#include <string>

#include "framework/dialog.h"
#include "link_label.h"

namespace zephyne {

class CSaveCompletedDlg : public fw::CDialog {
public:
    CSaveCompletedDlg(const std::string &linkText, const std::string &linkAddress,
                      fw::CWnd *parent = nullptr);

    CLinkLabel &Label() { return label_; }

    // Grows the dialog, its group box and moves the link, the message and
    // OK so that a link needing more than `area` (client coordinates) fits,
    // centred on half the dialog's grown outer width. Nothing moves when it
    // fits already; a missing control ends the fitting there.
    void FitDialogToLink(const RECT &area);

protected:
    bool OnInitDialog() override;

private:
    CLinkLabel label_;
    std::string linkText_;
    std::string linkAddress_;
};

}  // namespace zephyne
