#include "applet_process.h"

#include <vector>

#include "applet_messages.h"
#include "settings_store.h"
#include "tolvarc_ids.h"

namespace vesko_test {

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

// The applet's hidden main dialog: the dialog owned by its top window.
HWND FindMainDialog(HWND marker) {
    for (HWND hwnd = ::GetTopWindow(nullptr); hwnd; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
        char name[64] = "";
        ::GetClassNameA(hwnd, name, sizeof name);
        if (lstrcmpiA(name, "#32770") == 0 && ::GetWindow(hwnd, GW_OWNER) == marker)
            return hwnd;
    }
    return nullptr;
}

}  // namespace

std::string ProgramFolder() {
    std::vector<char> path(MAX_PATH * 4);
    DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::string folder(path.data(), length);
    return folder.substr(0, folder.find_last_of('\\'));
}

HMODULE AppletResources() {
    static const HMODULE resources = [] {
        HMODULE module = ::LoadLibraryExA((ProgramFolder() + "\\Tolvarc.dll").c_str(), nullptr,
                                          LOAD_LIBRARY_AS_DATAFILE);
        settings::SetProductKeySource({module, IDS_PRODUCT_KEY});
        return module;
    }();
    return resources;
}

AppletProcess::AppletProcess(const std::string &exe, const std::string &arguments) {
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

AppletProcess::~AppletProcess() {
    if (!process_)
        return;
    if (Running()) {
        ::TerminateProcess(process_, 1);
        ::WaitForSingleObject(process_, 5000);
    }
    ::CloseHandle(process_);
}

bool AppletProcess::WaitForExit(DWORD ms, DWORD *code) const {
    if (!process_ || ::WaitForSingleObject(process_, ms) != WAIT_OBJECT_0)
        return false;
    if (code)
        ::GetExitCodeProcess(process_, code);
    return true;
}

HWND AppletProcess::WaitForWindow(const char *className, bool mustBeVisible, DWORD ms) const {
    for (DWORD waited = 0;; waited += kPollMs) {
        WindowQuery query = {id_, className, mustBeVisible, nullptr};
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
        if (query.found || waited >= ms)
            return query.found;
        ::Sleep(kPollMs);
    }
}

HWND FindAppletMarker() {
    return ::FindWindowA(applet::kAppletClassName, nullptr);
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

HWND AppletProcess::WaitForMainDialog(DWORD ms) const {
    for (DWORD waited = 0;; waited += kPollMs) {
        HWND marker = WaitForWindow(applet::kAppletClassName, false, 0);
        HWND dialog = marker ? FindMainDialog(marker) : nullptr;
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
