#include "tray_probe.h"

#include "applet_test_app.h"
#include "framework/app.h"
#include "tolvarc_ids.h"

namespace vesko_test {

namespace {

// Messages a step posts may post others in turn (a tray callback posts the
// tray event): the next step waits this many rounds of the queue.
constexpr WPARAM kRounds = 4;

}  // namespace

std::vector<NotifyCall> &NotifyCalls() {
    static std::vector<NotifyCall> calls;
    return calls;
}

BOOL &NotifyAnswer() {
    static BOOL answer = TRUE;
    return answer;
}

BOOL WINAPI RecordNotifyIcon(DWORD action, PNOTIFYICONDATAA record) {
    NotifyCalls().push_back({action, *record});
    return NotifyAnswer();
}

CProbeAppletDlg::CProbeAppletDlg(fw::CWnd *parent, const std::string &hostProgId)
    : CAppletDlg(parent, RecordNotifyIcon, hostProgId.empty() ? applet::kHostProgId : hostProgId),
      real_(!hostProgId.empty()) {}

bool CProbeAppletDlg::OnInitDialog() {
    const bool result = CAppletDlg::OnInitDialog();
    Continue(kRounds);
    return result;
}

void CProbeAppletDlg::Continue(WPARAM hops) {
    PostMessage(kStepMessage, hops, 0);
}

LRESULT CProbeAppletDlg::OnStep(UINT, WPARAM wParam, LPARAM, bool &) {
    if (wParam > 0) {
        Continue(wParam - 1);
    } else if (next_ < steps.size()) {
        steps[next_++](*this);
        if (GetSafeHwnd())
            Continue(kRounds);
    } else {
        EndDialog(kScriptDone);
    }
    return 0;
}

CTestTopWnd::CTestTopWnd() : CTopWnd(RecordNotifyIcon) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA existing = {};
    if (!::GetClassInfoA(instance, applet::kAppletClassName, &existing))
        RegisterClass(instance,
                      ::LoadIconA(testsupport::AppletResources(), MAKEINTRESOURCEA(IDI_APPLET)));
    Create();
}

MainWindowScope::MainWindowScope(fw::CWnd *window) {
    fw::CApp::Current()->SetMainWnd(window);
}

MainWindowScope::~MainWindowScope() {
    fw::CApp::Current()->SetMainWnd(nullptr);
}

}  // namespace vesko_test
