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
BOOL WINAPI RecordNotifyIcon(DWORD action, PNOTIFYICONDATAA record);

class CProbeAppletDlg : public applet::CAppletDlg {
public:
    using Step = std::function<void(CProbeAppletDlg &)>;
    // The result DoModal gives when the script ran out without ending it.
    static constexpr int kScriptDone = 4242;

    explicit CProbeAppletDlg(fw::CWnd *parent);

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
    void StartLaunch() override { operations.push_back("StartLaunch"); }
    void CloseTask() override { operations.push_back("CloseTask"); }
    void StartDownloadTask() override { operations.push_back("StartDownloadTask"); }
    void ApplyOptions(bool apply) override {
        operations.push_back(std::string("ApplyOptions ") + (apply ? "1" : "0"));
    }
    void OnCardArrived() override { operations.push_back("OnCardArrived"); }

private:
    LRESULT OnStep(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    void Continue(WPARAM hops);
    size_t next_ = 0;
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
