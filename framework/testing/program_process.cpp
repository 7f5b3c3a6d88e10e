#include "program_process.h"

#include <vector>

namespace testsupport {

namespace {

constexpr DWORD kPollMs = 20;

struct WindowQuery {
    DWORD processId;
    const char *className;
    bool mustBeVisible;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM data) {
    auto *query = reinterpret_cast<WindowQuery *>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner != query->processId)
        return TRUE;
    char name[64] = "";
    ::GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpiA(name, query->className) != 0)
        return TRUE;
    if (query->mustBeVisible && !::IsWindowVisible(hwnd))
        return TRUE;
    query->found = hwnd;
    return FALSE;
}

}  // namespace

std::string ProgramFolder() {
    std::vector<char> path(MAX_PATH * 4);
    DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::string folder(path.data(), length);
    return folder.substr(0, folder.find_last_of('\\'));
}

ProgramProcess::ProgramProcess(const std::string &exe, const std::string &arguments) {
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &info))
        return;
    ::CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

ProgramProcess::~ProgramProcess() {
    if (!process_)
        return;
    if (Running()) {
        ::TerminateProcess(process_, 1);
        ::WaitForSingleObject(process_, 5000);
    }
    ::CloseHandle(process_);
}

bool ProgramProcess::WaitForExit(DWORD ms, DWORD *code) const {
    if (!process_ || ::WaitForSingleObject(process_, ms) != WAIT_OBJECT_0)
        return false;
    if (code)
        ::GetExitCodeProcess(process_, code);
    return true;
}

HWND ProgramProcess::WaitForWindow(const char *className, bool mustBeVisible, DWORD ms) const {
    for (DWORD waited = 0;; waited += kPollMs) {
        WindowQuery query = {id_, className, mustBeVisible, nullptr};
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
        if (query.found || waited >= ms)
            return query.found;
        ::Sleep(kPollMs);
    }
}

std::string WindowText(HWND hwnd) {
    char text[1024] = "";
    ::GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string MessageBoxText(HWND box) {
    // The message is the static control with identifier 0xFFFF.
    return WindowText(::GetDlgItem(box, 0xFFFF));
}

}  // namespace testsupport
