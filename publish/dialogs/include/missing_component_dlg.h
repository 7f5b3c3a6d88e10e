#pragma once
// The Missing Component dialog (template 1507): a message, and a link to the
// maker's software components page (ComponentsURL under Web, else string 6: setting_table.h).
#include <string>

#include "framework/dialog.h"
#include "framework/message_map.h"
#include "framework/reflect.h"
#include "link_static.h"

namespace zephyne {

class CMissingComponentDlg : public fw::CDialog {
public:
    explicit CMissingComponentDlg(fw::CWnd *parent = nullptr);

    // Replaces the template's message when not empty; before DoModal.
    void SetMessage(const std::string &message) { message_ = message; }

    CLinkStatic &Link() { return link_; }

    BEGIN_MSG_MAP(CMissingComponentDlg)
    REFLECT_NOTIFICATIONS()
    CHAIN_MSG_MAP(fw::CDialog)
    END_MSG_MAP()

protected:
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange &exchange) override;

private:
    CLinkStatic link_;
    fw::CWnd messageControl_;
    std::string message_;
};

}  // namespace zephyne
