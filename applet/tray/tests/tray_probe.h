#pragma once
// The applet's main dialog run modally as in the applet, with a script of
// steps that run one after the other from its own message loop, a record of
// the camera operations the dialog reaches, and a record of every
// notify-icon call it makes.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "applet_dlg.h"
#include "top_wnd.h"

namespace vesko_test {

// What the notification area would have received.
struct NotifyCall {
    DWORD action;
    NOTIFYICONDATAA record;
};
std::vector<NotifyCall> &NotifyCalls();
// What the recorder answers every call with (TRUE unless a test says else).
BOOL &NotifyAnswer();
BOOL WINAPI RecordNotifyIcon(DWORD action, PNOTIFYICONDATAA record);

class CProbeAppletDlg : public applet::CAppletDlg {
public:
    using Step = std::function<void(CProbeAppletDlg &)>;
    // The result DoModal gives when the script ran out without ending it.
    static constexpr int kScriptDone = 4242;

    // Without a ProgID the camera operations only note their names; with one
    // they note them and then run as the applet's own, on that host object.
    explicit CProbeAppletDlg(fw::CWnd *parent, const std::string &hostProgId = std::string());

    // Runs the steps in order, each once the messages the one before posted
    // (and what those posted in turn) have been handled.
    std::vector<Step> steps;
    // The camera operations reached, by name ("StartLaunch", "ApplyOptions 1").
    std::vector<std::string> operations;

    // The steps come as a message of their own, dispatched to the dialog
    // (also by the loops of menus and message boxes that it opens).
    static constexpr UINT kStepMessage = WM_APP + 50;
    BEGIN_MSG_MAP(CProbeAppletDlg)
    MESSAGE_HANDLER(kStepMessage, OnStep)
    CHAIN_MSG_MAP(applet::CAppletDlg)
    END_MSG_MAP()

protected:
    bool OnInitDialog() override;
    void StartLaunch() override {
        if (Note("StartLaunch"))
            CAppletDlg::StartLaunch();
    }
    void CloseTask() override {
        if (Note("CloseTask"))
            CAppletDlg::CloseTask();
    }
    void StartDownloadTask() override {
        if (Note("StartDownloadTask"))
            CAppletDlg::StartDownloadTask();
    }
    void ApplyOptions(bool apply) override {
        if (Note(std::string("ApplyOptions ") + (apply ? "1" : "0")))
            CAppletDlg::ApplyOptions(apply);
    }
    void OnCardArrived() override {
        if (Note("OnCardArrived"))
            CAppletDlg::OnCardArrived();
    }

private:
    LRESULT OnStep(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    void Continue(WPARAM hops);
    // Notes the operation; true when it is to run for real.
    bool Note(const std::string &operation) {
        operations.push_back(operation);
        return real_;
    }
    size_t next_ = 0;
    bool real_;
};

// The top window of a test: its class registered once per test program.
class CTestTopWnd : public applet::CTopWnd {
public:
    CTestTopWnd();
    bool Ready() const { return GetSafeHwnd() != nullptr; }
};

// Sets the application's main window for the life of this object.
class MainWindowScope {
public:
    explicit MainWindowScope(fw::CWnd *window);
    ~MainWindowScope();
};

}  // namespace vesko_test
