#pragma once
// The applet's application object. Its start-up is the applet's whole life:
// the resource library, the "-s" switch, the single-instance rule, the hidden
// top window, OLE, the feature flags and the title, then the hidden main
// dialog run modally. It always answers false, so that the framework goes
// straight to the exit step, which unregisters the window class.
#include "framework/app.h"
#include "top_wnd.h"

namespace applet {

class CAppletApp : public fw::CApp {
public:
    CAppletApp();  // also sets the C runtime's locale to the user's default

    bool InitInstance() override;
    int ExitInstance() override;

    // The exit code after the host answered a call with its own error report.
    static constexpr int kHostErrorExitCode = 3;

private:
    // The hidden main dialog's modal run: the applet's life.
    void RunMainDialog();

    CTopWnd topWnd_;
    bool classRegistered_ = false;
};

}  // namespace applet
