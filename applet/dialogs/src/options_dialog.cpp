#include "options_dialog.h"

#include "feature_flags.h"
#include "framework/data_exchange.h"
#include "framework/res_string.h"
#include "setting_reads.h"
#include "settings_store.h"

namespace applet {

namespace {

// The TWAIN kind: a scanner-like source that only lets the user choose.
constexpr int32_t kTwainConnection = 4;

// The texts of the download radios (1013, 1014) for a connection kind, and
// whether 1014 may be chosen. Kind 4 names the TWAIN source `twainSource`
// (string 996), or says none is known (995).
struct DownloadTexts {
    std::string manual;
    std::string automatic;
    bool automaticEnabled = true;
};

DownloadTexts DownloadTextsFor(int32_t connectionKind, const std::string &twainSource) {
    DownloadTexts texts;
    switch (connectionKind) {
    case 0:
    case 3:
    case 5:
        texts.manual = fw::LoadResString(IDS_OPTIONS_ANY_MANUAL);
        texts.automatic = fw::LoadResString(IDS_OPTIONS_ANY_AUTO);
        break;
    case 1:
        texts.manual = fw::LoadResString(IDS_OPTIONS_CARD_MANUAL);
        texts.automatic = fw::LoadResString(IDS_OPTIONS_CARD_AUTO);
        break;
    case 2:
        texts.manual = fw::LoadResString(IDS_OPTIONS_CABLE_MANUAL);
        texts.automatic = fw::LoadResString(IDS_OPTIONS_CABLE_AUTO);
        break;
    case kTwainConnection:
        texts.manual = twainSource.empty()
                           ? fw::LoadResString(IDS_OPTIONS_TWAIN_MANUAL)
                           : fw::FormatResString(IDS_OPTIONS_TWAIN_NAMED, twainSource);
        texts.automatic = fw::LoadResString(IDS_OPTIONS_TWAIN_AUTO);
        texts.automaticEnabled = false;
        break;
    default:
        break;  // an unknown kind: both radios without text
    }
    return texts;
}

}  // namespace

COptionsDialog::COptionsDialog() : fw::CDialog(IDD_OPTIONS, nullptr) {
    autoRun_ = ReadNumberSetting(SettingId::EnableAutoRunInOptions);
    showAtStart_ = ReadNumberSetting(SettingId::ShowStartup);
    connectionKind_ = ReadNumberSetting(SettingId::ConnectVia);
    runChoice_ = ReadNumberSetting(SettingId::RunOptionInOptions);
    if (connectionKind_ == kTwainConnection)
        downloadChoice_ = 0;
    else
        downloadChoice_ = ReadNumberSetting(SettingId::AutoDownloadInOptions);
}

void COptionsDialog::DoDataExchange(fw::CDataExchange &exchange) {
    int value = showAtStart_;
    fw::ExchangeCheck(exchange, IDC_SHOW_AT_START, value);
    showAtStart_ = value;
    value = downloadChoice_;
    fw::ExchangeRadio(exchange, IDC_DOWNLOAD_MANUAL, value);
    downloadChoice_ = value;
    value = runChoice_;
    fw::ExchangeRadio(exchange, IDC_RUN_FULL_APP, value);
    runChoice_ = value;
    value = autoRun_;
    fw::ExchangeCheck(exchange, IDC_AUTO_RUN, value);
    autoRun_ = value;
}

bool COptionsDialog::OnInitDialog() {
    fw::CDialog::OnInitDialog();
    const std::string twainSource = ReadTextSetting(SettingId::LastTwainDev);
    const DownloadTexts texts = DownloadTextsFor(connectionKind_, twainSource);
    ::SetDlgItemTextA(hwnd_, IDC_DOWNLOAD_MANUAL, texts.manual.c_str());
    ::SetDlgItemTextA(hwnd_, IDC_DOWNLOAD_AUTO, texts.automatic.c_str());
    ::EnableWindow(GetDlgItem(IDC_DOWNLOAD_AUTO), texts.automaticEnabled ? TRUE : FALSE);
    return true;
}

void COptionsDialog::OnOK() {
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
    if (connectionKind_ != kTwainConnection)
        settings::WriteRegDword("Sdk", "AutoDownload", downloadChoice_);
    settings::WriteRegDword("Sdk", "ShowStartup", showAtStart_);
    settings::WriteRegDword("Sdk", "EnableAutoRun", autoRun_);
    settings::WriteRegDword("Sdk", "RunOption", runChoice_);
}

}  // namespace applet
