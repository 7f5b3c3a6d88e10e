// The applet's side of the host application's camera task: creating and
// introducing the host object, ending and releasing it, the download command
// and the host's end-of-task notifications. Only OLE failures are caught,
// here at the host calls: the host's own error reports (automation
// exceptions) leave the handler and end the applet at its top (applet_app).
#include <windows.h>

#include "applet_dlg.h"
#include "framework/app.h"
#include "framework/res_string.h"
#include "notice_dialog.h"

namespace applet {

bool CAppletDlg::GuardHostCall(const std::function<void()> &call) {
    try {
        call();
        return true;
    } catch (const fw::COleFailure &) {
        fw::AppMessageBox(fw::LoadResString(IDS_HOST_CALL_FAILED), MB_OK);
        EndApplet();
        return false;
    }
}

bool CAppletDlg::HostInUse() {
    if (!host_.HasDispatch())
        return false;
    fw::AppMessageBox(fw::LoadResString(IDS_TASK_ALREADY_OPEN), MB_OK);
    return true;
}

bool CAppletDlg::ConnectHost() {
    if (HostInUse())
        return false;
    CNoticeDlg notice;  // gone again on every way out
    if (!host_.HasDispatch() && !host_.CreateDispatch(hostProgId_)) {
        fw::AppMessageBox(
            fw::FormatResString(IDS_HOST_CREATE_FAILED, fw::LoadResString(IDS_HOST_NAME)), MB_OK);
        EndApplet();
        return false;
    }
    bool introduced = false;
    const bool reached = GuardHostCall([&] {
        notifyMessage_ = ::RegisterWindowMessageA(kHostNotifyMessage);
        if (notifyMessage_ == 0)
            return;
        fw::CApp *app = fw::CApp::Current();
        fw::CWnd *mainWnd = app ? app->GetMainWnd() : nullptr;
        HWND notifyWindow = mainWnd ? mainWnd->GetSafeHwnd() : GetSafeHwnd();
        // Window handles are 32-bit values on every Windows.
        const long handle = static_cast<long>(reinterpret_cast<intptr_t>(notifyWindow));
        if (!host_.SetNotifyWindow(handle))
            return;
        host_.SetClientTitle(title_);
        introduced = true;
    });
    if (reached && !introduced)
        EndApplet();  // nothing shown: the host or the platform said no
    return introduced;
}

bool CAppletDlg::EndHostTask() {
    const bool ended = host_.EndTask();
    if (ended) {
        taskState_ = TaskNone;
        ++pendingNotifications_;  // the host reports the end of that task later
    }
    return ended;
}

void CAppletDlg::ReleaseHost() {
    host_.ReleaseDispatch();
    taskState_ = TaskNone;
    pendingNotifications_ = 0;
}

void CAppletDlg::CloseTask() {
    if (taskState_ == TaskNone)
        return;
    GuardHostCall([this] {
        EndHostTask();
        ReleaseHost();
    });
}

void CAppletDlg::StartDownloadTask() {
    SetBusyLook();
    struct IdleAgain {
        CAppletDlg &dialog;
        ~IdleAgain() { dialog.SetIdleLook(); }
    } idle{*this};
    GuardHostCall([this] {
        const bool ok = taskState_ == TaskNone ? ConnectHost() : EndHostTask();
        if (!ok)
            return;
        if (host_.OpenTaskEx(std::nullopt, false, false, true) == 1)
            taskState_ = TaskDownload;
        else
            ReleaseHost();
    });
}

void CAppletDlg::ApplyOptions(bool apply) {
    GuardHostCall([this, apply] { host_.ApplyOptions(apply); });
}

void CAppletDlg::OnHostNotify(WPARAM wParam) {
    if (wParam != 0)
        return;
    if (pendingNotifications_ > 0) {
        --pendingNotifications_;
        return;
    }
    CloseTask();
}

}  // namespace applet
