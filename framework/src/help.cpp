#include "framework/help.h"

#include "framework/app.h"
#include "framework/wnd.h"

namespace fw {

std::string ProgramHelpPath() {
    char program[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string path(program, length);
    // Only the file name's extension goes: a dot in a folder name stays.
    const size_t slash = path.find_last_of("\\/");
    const size_t dot = path.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        path.erase(dot);
    // One help format only: the programs ship a .hlp, which the viewer in
    // user32 opens with no further library; a compiled HTML file would need
    // the HTML help control loaded for nothing we ship.
    return path + ".hlp";
}

std::string MissingHelpText(const std::string &path) {
    return "Cannot find the help file " + path + ".";
}

bool ShowProgramHelp(HelpViewer viewer) {
    const std::string path = ProgramHelpPath();
    // The viewer would start and then complain in a window of its own, or
    // not at all: the user hears it from the program, naming the file.
    if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        AppMessageBox(MissingHelpText(path), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    CApp *app = CApp::Current();
    CWnd *mainWnd = app ? app->GetMainWnd() : nullptr;
    HWND owner = mainWnd ? mainWnd->GetSafeHwnd() : nullptr;
    return viewer(owner, path.c_str(), HELP_FINDER, 0) != FALSE;
}

}  // namespace fw
