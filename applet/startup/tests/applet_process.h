#pragma once
// Runs the real Vesko.exe as a user would start it, and finds and answers its
// windows from the outside: the hidden top window that marks it, its hidden
// main dialog and the message boxes it shows.
#include <windows.h>

#include <string>

#include "applet_windows.h"
#include "program_process.h"

namespace vesko_test {

using testsupport::MessageBoxText;
using testsupport::ProgramFolder;
using testsupport::WindowText;

// The applet's resource library as data, loaded once: its texts, and the name
// of the settings key, which the settings store takes from it as the applet's
// start-up has it do.
HMODULE AppletResources();

// The settings a case starts from, in the prefix's own registry (the applet
// is another process): every value a road's case may set is removed when the
// case starts and again when it ends.
class AppletSettings {
public:
    AppletSettings() { Clear(); }
    ~AppletSettings() { Clear(); }
    AppletSettings(const AppletSettings &) = delete;
    AppletSettings &operator=(const AppletSettings &) = delete;
    static void Clear();
};

class AppletProcess : public testsupport::ProgramProcess {
public:
    using ProgramProcess::ProgramProcess;

    // The applet's hidden main dialog, once it runs (owned by the top window).
    HWND WaitForMainDialog(DWORD ms) const;
};

using testsupport::FindAppletMarker;

// Ends a running applet the way a user does: the tray menu's exit command,
// answered Yes. True when the process then ended.
bool ExitThroughTrayMenu(const AppletProcess &applet);

}  // namespace vesko_test
