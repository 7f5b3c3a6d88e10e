#pragma once
// Test support: runs a real program of the build as a user would start it,
// and finds and answers its windows from the outside: top-level windows of a
// class, its message boxes, their texts.
#include <windows.h>

#include <string>

namespace testsupport {

// The folder this test program runs from.
std::string ProgramFolder();

class ProgramProcess {
public:
    // Starts `exe` with `arguments` after the program name; Started() tells.
    ProgramProcess(const std::string &exe, const std::string &arguments);
    // Ends the process if it still runs.
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess &) = delete;
    ProgramProcess &operator=(const ProgramProcess &) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    // True when the process ended within `ms`; its exit code then in `code`.
    bool WaitForExit(DWORD ms, DWORD *code = nullptr) const;
    bool Running() const { return !WaitForExit(0); }

    // The process's top-level window of this class that satisfies `visible`
    // (when asked), waiting up to `ms`; nullptr when none came.
    HWND WaitForWindow(const char *className, bool mustBeVisible, DWORD ms) const;
    // The visible message box or dialog (class "#32770") of the process.
    HWND WaitForMessageBox(DWORD ms) const { return WaitForWindow("#32770", true, ms); }

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The text of a message box (its static text), and any window's text.
std::string MessageBoxText(HWND box);
std::string WindowText(HWND hwnd);

}  // namespace testsupport
