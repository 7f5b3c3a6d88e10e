#include "applet_dlg.h"

#include "about_dialog.h"
#include "framework/app.h"
#include "framework/res_string.h"
#include "platform/win32_handles.h"
#include "options_dialog.h"
#include "setting_reads.h"

namespace applet {

namespace {

HMODULE ResourceModule() {
    fw::CApp *app = fw::CApp::Current();
    return app ? app->GetResourceModule() : ::GetModuleHandleA(nullptr);
}

}  // namespace

CAppletDlg::CAppletDlg(fw::CWnd *parent, NotifyIconEntry notifyIcon, std::string hostProgId)
    : fw::CDialog(IDD_APPLET, parent), notifyIcon_(notifyIcon),
      connectionKind_(ReadNumberSetting(SettingId::ConnectVia)),
      hostProgId_(std::move(hostProgId)) {
    // The applet lives inside this dialog's modal run, never seen.
    SetShowWhenModal(false);
}

bool CAppletDlg::OnInitDialog() {
    fw::CDialog::OnInitDialog();
    title_ = fw::LoadResString(IDS_APP_TITLE);
    busyTip_ = fw::FormatResString(IDS_BUSY_TIP, title_);
    trayIcon_ = ::LoadIconA(ResourceModule(), MAKEINTRESOURCEA(IDI_TRAY));
    taskState_ = TaskNone;
    pendingNotifications_ = 0;
    // The shell may answer the add with a failure at logon although the icon
    // is there: the looks must go on regardless, or a right-click would open
    // the menu in the middle of a launch instead of being dropped.
    SetTrayIcon(notifyIcon_, NIM_ADD, title_, WM_TRAYICON, trayIcon_);
    iconShown_ = true;
    return true;
}

void CAppletDlg::SetIdleLook() {
    if (!iconShown_)
        return;  // the applet has ended: no icon to change
    SetTrayIcon(notifyIcon_, NIM_MODIFY, title_, WM_TRAYICON, trayIcon_);
}

void CAppletDlg::SetBusyLook() {
    if (!iconShown_)
        return;
    SetTrayIcon(notifyIcon_, NIM_MODIFY, busyTip_, WM_TRAYICON_BUSY, trayIcon_);
}

void CAppletDlg::EndApplet() {
    SetTrayIcon(notifyIcon_, NIM_DELETE, std::string(), 0, trayIcon_);
    iconShown_ = false;
    EndDialog(IDCANCEL);
}

LRESULT CAppletDlg::OnDestroy(UINT, WPARAM, LPARAM, bool &handled) {
    // A showing that an exception ended never reached EndApplet: the icon
    // must not outlive its window.
    if (iconShown_)
        SetTrayIcon(notifyIcon_, NIM_DELETE, std::string(), 0, trayIcon_);
    iconShown_ = false;
    handled = false;
    return 0;
}

bool CAppletDlg::PreTranslateMessage(MSG &msg) {
    if (msg.message == WM_TRAYEVENT) {
        OnTrayEvent(msg.wParam, msg.lParam);
        return true;
    }
    if (msg.message == WM_CARDARRIVED) {
        OnCardArrived();
        return true;
    }
    if (notifyMessage_ != 0 && msg.message == notifyMessage_) {
        OnHostNotify(msg.wParam);
        return true;
    }
    return fw::CDialog::PreTranslateMessage(msg);
}

LRESULT CAppletDlg::OnContextMenu(UINT, WPARAM, LPARAM, bool &handled) {
    handled = false;  // no menu of its own
    return 0;
}

LRESULT CAppletDlg::OnTrayIcon(UINT, WPARAM wParam, LPARAM lParam, bool &) {
    // Handled later, from the loop, not inside the notification area's call.
    PostMessage(WM_TRAYEVENT, wParam, lParam);
    return 1;
}

LRESULT CAppletDlg::OnTrayIconBusy(UINT, WPARAM, LPARAM, bool &) {
    return 1;
}

void CAppletDlg::OnTrayEvent(WPARAM, LPARAM lParam) {
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDBLCLK:
        StartLaunch();
        break;
    case WM_RBUTTONUP: {
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        ShowTrayMenu(cursor.x, cursor.y);
        break;
    }
    default:
        break;
    }
}

void CAppletDlg::ShowTrayMenu(int x, int y) {
    platform::UniqueMenu menu(::LoadMenuA(ResourceModule(), MAKEINTRESOURCEA(IDR_TRAY_MENU)));
    HMENU tray = menu ? ::GetSubMenu(menu.Get(), 0) : nullptr;
    if (!tray)
        return;
    if (taskState_ == TaskOpen) {
        ::EnableMenuItem(tray, ID_TRAY_START, MF_BYCOMMAND | MF_GRAYED);
        ::CheckMenuItem(tray, ID_TRAY_START, MF_BYCOMMAND | MF_CHECKED);
    } else if (taskState_ == TaskDownload) {
        ::CheckMenuItem(tray, ID_TRAY_DOWNLOAD, MF_BYCOMMAND | MF_CHECKED);
    } else {
        ::EnableMenuItem(tray, ID_TRAY_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    }
    // Without the foreground the menu would not close on a click elsewhere;
    // the posted message afterwards lets the menu's loop end for good.
    ::SetForegroundWindow(hwnd_);
    ::TrackPopupMenu(tray, TPM_RIGHTBUTTON, x, y, 0, hwnd_, nullptr);
    PostMessage(WM_USER, 0, 0);
}

void CAppletDlg::OnExitCommand() {
    const std::string question = fw::FormatResString(IDS_EXIT_QUESTION, title_);
    if (fw::AppMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CloseTask();
    EndApplet();
}

void CAppletDlg::OnAboutCommand() {
    CAboutDialog about;
    about.DoModal();
}

void CAppletDlg::OnOptionsCommand() {
    COptionsDialog options;
    if (options.DoModal() == IDOK && taskState_ != TaskNone)
        ApplyOptions(true);
}

}  // namespace applet
