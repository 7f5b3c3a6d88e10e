#pragma once
// Runs the real Vesko.exe as a user would start it, and finds and answers its
// windows from the outside: the hidden top window that marks it, its hidden
// main dialog and the message boxes it shows.
#include <windows.h>

#include <string>

namespace vesko_test {

// The folder this test program runs from, where Vesko.exe and Tolvarc.dll are.
std::string ProgramFolder();

// The applet's resource library as data, loaded once: its texts, and the name
// of the settings key, which the settings store takes from it as the applet's
// start-up has it do.
HMODULE AppletResources();

class AppletProcess {
public:
    // Starts `exe` with `arguments` after the program name; Started() tells.
    AppletProcess(const std::string &exe, const std::string &arguments);
    // Ends the process if it still runs.
    ~AppletProcess();
    AppletProcess(const AppletProcess &) = delete;
    AppletProcess &operator=(const AppletProcess &) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    // True when the process ended within `ms`; its exit code then in `code`.
    bool WaitForExit(DWORD ms, DWORD *code = nullptr) const;
    bool Running() const { return !WaitForExit(0); }

    // The process's top-level window of this class that satisfies `visible`
    // (when asked), waiting up to `ms`; nullptr when none came.
    HWND WaitForWindow(const char *className, bool mustBeVisible, DWORD ms) const;
    // The applet's hidden main dialog, once it runs (owned by the top window).
    HWND WaitForMainDialog(DWORD ms) const;
    // The visible message box (a dialog with a caption) of the process.
    HWND WaitForMessageBox(DWORD ms) const { return WaitForWindow("#32770", true, ms); }

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The applet's top-level window of class MirelleAppletClass, whoever runs it.
HWND FindAppletMarker();

// The text of a message box (its static text), and its caption.
std::string MessageBoxText(HWND box);
std::string WindowText(HWND hwnd);

// Ends a running applet the way a user does: the tray menu's exit command,
// answered Yes. True when the process then ended.
bool ExitThroughTrayMenu(const AppletProcess &applet);

}  // namespace vesko_test
