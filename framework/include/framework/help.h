// The program's help: its help file beside the program, opened with the
// system's help viewer when asked for by the standard help command.
#pragma once
#include <windows.h>

#include <string>

namespace fw {

// The command of the standard help menu item and accelerator.
constexpr UINT kHelpCommand = 57670;

// The help viewer's entry point; tests pass one that records its call.
using HelpViewer = BOOL(WINAPI *)(HWND owner, LPCSTR file, UINT command, ULONG_PTR data);

// <program folder>\<program base name>.hlp
std::string ProgramHelpPath();

// What the user is told when the program's help file is not there.
std::string MissingHelpText(const std::string &path);

// The standard help handler: opens the program's help file at its topics
// with `viewer`, owned by the main window; when the file is missing, says so
// in a message box instead. True when the viewer took the file.
bool ShowProgramHelp(HelpViewer viewer = ::WinHelpA);

}  // namespace fw
