#include "applet_process.h"

#include <vector>

#include "applet_messages.h"
#include "settings_store.h"
#include "tolvarc_ids.h"

namespace vesko_test {

void AppletSettings::Clear() {
    AppletResources();  // the settings store names its key from the library
    for (const char *name : {"FromVesko", "VeskoLaunchApp", "PCCardDrive", "ShowStartup",
                             "RunOption", "AutoDownload", "EnableAutoRun", "DownloadAlbum"})
        settings::WriteRegString("Sdk", name, std::nullopt);
    for (const char *name : {"ConnectVia", "PCCardPath", "PCCardFile"})
        settings::WriteRegString("Connect", name, std::nullopt);
    settings::WriteRegString("Install", "Download", std::nullopt);
    settings::WriteRegString("Install", "toshibamode", std::nullopt);
}

namespace {

constexpr DWORD kPollMs = 20;

}  // namespace

HMODULE AppletResources() {
    static const HMODULE resources = [] {
        HMODULE module = ::LoadLibraryExA((ProgramFolder() + "\\Tolvarc.dll").c_str(), nullptr,
                                          LOAD_LIBRARY_AS_DATAFILE);
        settings::SetProductKeySource({module, IDS_PRODUCT_KEY});
        return module;
    }();
    return resources;
}

HWND AppletProcess::WaitForMainDialog(DWORD ms) const {
    for (DWORD waited = 0;; waited += kPollMs) {
        HWND marker = WaitForWindow(applet::kAppletClassName, false, 0);
        HWND dialog = marker ? testsupport::FindAppletMainDialog(marker) : nullptr;
        if (dialog || waited >= ms)
            return dialog;
        ::Sleep(kPollMs);
    }
}

bool ExitThroughTrayMenu(const AppletProcess &applet) {
    HWND dialog = applet.WaitForMainDialog(10000);
    if (!dialog)
        return false;
    ::PostMessageA(dialog, WM_COMMAND, ID_TRAY_EXIT, 0);
    HWND question = applet.WaitForMessageBox(10000);
    if (!question)
        return false;
    ::PostMessageA(question, WM_COMMAND, IDYES, 0);
    return applet.WaitForExit(10000);
}

}  // namespace vesko_test
