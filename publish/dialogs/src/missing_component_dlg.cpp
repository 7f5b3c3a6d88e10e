#include "missing_component_dlg.h"

#include "framework/data_exchange.h"
#include "framework/res_string.h"
#include "setting_table.h"
#include "settings_store.h"
#include "zephyne_ids.h"

namespace zephyne {

static_assert(Setting(SettingId::ComponentsUrl).defaultTextId == IDS_COMPONENTS_URL,
              "the components address defaults to its string resource");

CMissingComponentDlg::CMissingComponentDlg(fw::CWnd *parent)
    : CDialog(IDD_MISSING_COMPONENT, parent) {}

void CMissingComponentDlg::DoDataExchange(fw::CDataExchange &exchange) {
    if (exchange.IsSaving())
        return;
    if (!link_.GetSafeHwnd()) {
        HWND control = exchange.Control(IDC_MISSING_LINK);
        if (control && !link_.AttachToControl(control))
            exchange.Fail();
    }
    if (!messageControl_.GetSafeHwnd()) {
        if (HWND control = exchange.Control(IDC_MISSING_MESSAGE))
            messageControl_.Attach(control);
    }
}

bool CMissingComponentDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (!message_.empty() && messageControl_.GetSafeHwnd())
        messageControl_.SetWindowText(message_);
    const SettingRow &components = Setting(SettingId::ComponentsUrl);
    std::string address = settings::ReadRegString(components.subkey, components.name,
                                                  fw::LoadResString(components.defaultTextId));
    if (HWND control = GetDlgItem(IDC_MISSING_LINK))
        ::SetWindowTextA(control, fw::LoadResString(IDS_COMPONENTS_LINK).c_str());
    link_.SetURL(address);
    return true;
}

}  // namespace zephyne
