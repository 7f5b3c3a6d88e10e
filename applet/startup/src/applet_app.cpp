#include "applet_app.h"

#include <clocale>

#include "applet_dlg.h"
#include "framework/dispatch_driver.h"
#include "framework/ole_init.h"
#include "framework/res_string.h"
#include "setting_reads.h"
#include "settings_store.h"
#include "tolvarc_ids.h"
#include "win32_feature_sources.h"

namespace applet {

namespace {

// The one text that cannot come from the resource library.
constexpr char kNoResourceLibrary[] = "Cannot load resource DLL (Tolvarc.dll)";

// "-s" as a case-sensitive prefix of the command line: "-silent" counts,
// "-S" does not.
bool HasSilentSwitch(const std::string &commandLine) {
    return commandLine.compare(0, 2, "-s") == 0;
}

}  // namespace

CAppletApp::CAppletApp() {
    std::setlocale(LC_ALL, "");
}

bool CAppletApp::InitInstance() {
    // The standard search order looks in the applet's own folder first. The
    // library stays loaded for the life of the process.
    HMODULE resources = ::LoadLibraryA("Tolvarc.dll");
    if (!resources) {
        fw::AppMessageBox(kNoResourceLibrary, MB_OK);
        return false;
    }
    SetResourceModule(resources);
    settings::SetProductKeySource({resources, IDS_PRODUCT_KEY});

    if (HasSilentSwitch(GetCmdLine()) &&
        ReadNumberSetting(SettingId::EnableVeskoInTaskbar) == 0)
        return false;

    // Another applet runs: it is left alone and not told.
    if (::FindWindowA(kAppletClassName, nullptr))
        return false;

    HICON classIcon = ::LoadIconA(resources, MAKEINTRESOURCEA(IDI_APPLET));
    if (!CTopWnd::RegisterClass(GetInstance(), classIcon))
        return false;
    classRegistered_ = true;
    topWnd_.Create();

    fw::COleInit ole;
    if (!ole.Succeeded()) {
        fw::AppMessageBox(fw::LoadResString(IDS_OLE_INIT_FAILED), MB_OK);
        return false;
    }
    // Dialog controls have their three-dimensional look on every system this
    // runs on: nothing to turn on.

    LoadFeatureDefaults(resources);
    LoadFeatureFlags();
    SetAppName(fw::LoadResString(IDS_APP_TITLE));

    RunMainDialog();
    return false;
}

void CAppletApp::RunMainDialog() {
    CAppletDlg mainDialog(&topWnd_);
    SetMainWnd(&mainDialog);
    try {
        mainDialog.DoModal();
    } catch (const fw::CAutomationException &) {
        // The host's own error report: no operation of the applet handles
        // it, so the applet ends here in order instead of being torn down.
        // The showing is over, the dialog window and with it the tray icon
        // are gone; the object is released with the dialog below.
        SetMainWnd(nullptr);
        fw::AppMessageBox(fw::LoadResString(IDS_HOST_CALL_FAILED), MB_OK);
        exitCode_ = kHostErrorExitCode;
    }
    SetMainWnd(nullptr);
}

int CAppletApp::ExitInstance() {
    if (classRegistered_)
        CTopWnd::UnregisterClass(GetInstance());
    return fw::CApp::ExitInstance();
}

}  // namespace applet
