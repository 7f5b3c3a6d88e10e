#pragma once
// The hidden main dialog: the application's main window for the applet's
// whole life. It owns the tray icon and its tooltips, turns tray clicks into
// actions, shows the tray menu and carries its commands, and is the window
// the host application posts its notifications to.
#include <windows.h>

#include <functional>
#include <string>

#include "applet_messages.h"
#include "framework/dialog.h"
#include "framework/help.h"
#include "framework/message_map.h"
#include "host_camera_driver.h"
#include "tolvarc_ids.h"
#include "tray_icon.h"

namespace applet {

class CAppletDlg : public fw::CDialog {
public:
    // Template 102 with the top window as parent; reads ConnectVia once.
    // `hostProgId` names the host's camera object (tests name their own).
    explicit CAppletDlg(fw::CWnd *parent, NotifyIconEntry notifyIcon = ::Shell_NotifyIconA,
                        std::string hostProgId = kHostProgId);

    int GetTaskState() const { return taskState_; }
    void SetTaskState(int state) { taskState_ = state; }
    bool IsBusy() const { return busy_ != 0; }
    int GetConnectionKind() const { return connectionKind_; }
    int GetPendingNotifications() const { return pendingNotifications_; }
    UINT GetNotifyMessage() const { return notifyMessage_; }
    // The host object is held (whatever the task state).
    bool HoldsHost() const { return host_.HasDispatch(); }
    const std::string &GetTitle() const { return title_; }

    // Idle look: the title as tip, WM_TRAYICON as callback. Busy look: the
    // busy tip and WM_TRAYICON_BUSY, so that clicks are dropped meanwhile.
    // Neither once the icon is gone (EndApplet).
    void SetIdleLook();
    void SetBusyLook();
    // The orderly way out: the tray icon goes, the dialog ends with IDCANCEL.
    void EndApplet();
    // The tray menu at screen position (x, y), its items set by task state.
    void ShowTrayMenu(int x, int y);

    // Tray events, the card arrival and host notifications, in this order,
    // before anything else of the dialog.
    bool PreTranslateMessage(MSG &msg) override;

    BEGIN_MSG_MAP(CAppletDlg)
    MESSAGE_HANDLER(WM_CONTEXTMENU, OnContextMenu)
    COMMAND_ID_CALL(ID_TRAY_START, StartLaunch)
    COMMAND_ID_CALL(ID_TRAY_CLOSE, CloseTask)
    COMMAND_ID_CALL(ID_TRAY_EXIT, OnExitCommand)
    COMMAND_ID_CALL(ID_TRAY_DOWNLOAD, StartDownloadTask)
    COMMAND_ID_CALL(ID_TRAY_ABOUT, OnAboutCommand)
    COMMAND_ID_CALL(ID_TRAY_OPTIONS, OnOptionsCommand)
    COMMAND_ID_CALL(fw::kHelpCommand, OnHelpCommand)
    MESSAGE_HANDLER(WM_TRAYICON, OnTrayIcon)
    MESSAGE_HANDLER(WM_TRAYICON_BUSY, OnTrayIconBusy)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

protected:
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange &) override {}

    // The camera work handed to the host application (launch.cpp, host_client.cpp):
    // the launch, the host's camera task, its options and notifications, and
    // the card arrival. Virtual so that tests see which one a command reaches.
    virtual void StartLaunch();
    virtual void CloseTask();
    virtual void StartDownloadTask();
    virtual void ApplyOptions(bool apply);
    virtual void OnCardArrived();
    virtual void OnHostNotify(WPARAM wParam);

    // The host client (host_client.cpp). An OLE failure inside the calls that
    // say so shows string 107 and ends the applet; the host's own error
    // report (an automation exception) is not caught here.
    // True, after message 999, when a host object is held.
    bool HostInUse();
    // Creates and introduces the host object behind the notice dialog; false
    // (the applet then ends, unless a host was held) when that fails.
    bool ConnectHost();
    // EndTask; TRUE also sets TaskNone and counts the notification to come.
    bool EndHostTask();
    void ReleaseHost();

private:
    LRESULT OnContextMenu(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    LRESULT OnTrayIcon(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    LRESULT OnTrayIconBusy(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    void OnTrayEvent(WPARAM wParam, LPARAM lParam);
    void OnExitCommand();
    void OnAboutCommand();
    void OnOptionsCommand();
    void OnHelpCommand() { fw::ShowProgramHelp(); }
    LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    // Runs `call`; an OLE failure shows string 107 and ends the applet
    // (false). Automation exceptions pass.
    bool GuardHostCall(const std::function<void()> &call);
    // StartLaunch's host part: ConnectHost and OpenTask.
    void OpenLaunchTask(bool autoDownload);

    NotifyIconEntry notifyIcon_;
    int busy_ = 0;
    std::string title_;
    std::string busyTip_;
    HICON trayIcon_ = nullptr;  // a shared resource icon: never destroyed
    int taskState_ = TaskNone;
    int pendingNotifications_ = 0;
    UINT notifyMessage_ = 0;  // "MirelleNotify" once registered
    int connectionKind_;
    bool iconShown_ = false;
    std::string hostProgId_;
    CHostCameraDriver host_;  // released when the dialog object goes
};

}  // namespace applet
