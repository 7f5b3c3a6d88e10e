#include "about_dialog.h"

#include "framework/data_exchange.h"
#include "framework/res_string.h"

namespace applet {

CAboutDialog::CAboutDialog()
    : fw::CDialog(IDD_ABOUT, nullptr), name_(fw::LoadResString(IDS_APP_TITLE)) {}

void CAboutDialog::DoDataExchange(fw::CDataExchange &exchange) {
    fw::ExchangeText(exchange, IDC_ABOUT_NAME, name_);
}

bool CAboutDialog::OnInitDialog() {
    fw::CDialog::OnInitDialog();
    SetWindowText(fw::FormatResString(IDS_ABOUT_CAPTION, fw::LoadResString(IDS_APP_TITLE)));
    return true;
}

}  // namespace applet
