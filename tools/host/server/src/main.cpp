// HostStandIn.exe: the stand-in for the host imaging application's camera
// object, a local automation server for tests. Switches: -RegServer and
// -UnregServer (also with '/', any case) write or remove its registration and
// end with exit code 0 on success; otherwise (COM passes -Embedding) it
// serves one object until that is released and no task is open.
#include <windows.h>
#include <objbase.h>

#include <cstring>
#include <string>

#include "class_factory.h"
#include "control_store.h"
#include "registration.h"
#include "server_life.h"
#include "standin_protocol.h"

namespace {

// A switch is a word of the command line: '-' or '/' and its name in any case.
bool HasSwitch(const char *commandLine, const char *name) {
    const std::string line = commandLine ? commandLine : "";
    size_t start = 0;
    while (start < line.size()) {
        size_t end = line.find(' ', start);
        if (end == std::string::npos)
            end = line.size();
        const std::string word = line.substr(start, end - start);
        if (word.size() > 1 && (word[0] == '-' || word[0] == '/') &&
            ::lstrcmpiA(word.c_str() + 1, name) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

int Serve() {
    if (FAILED(::CoInitialize(nullptr)))
        return 1;
    int exitCode = 0;
    {
        standin::RunningEntry running;
        standin::ServerLife server;
        standin::CameraFactory factory(server);
        CLSID clsid;
        std::wstring wideClsid(standin::kClsid, standin::kClsid + std::strlen(standin::kClsid));
        DWORD cookie = 0;
        if (FAILED(::CLSIDFromString(wideClsid.c_str(), &clsid)) ||
            FAILED(::CoRegisterClassObject(clsid, &factory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE,
                                           &cookie))) {
            exitCode = 1;
        } else {
            const UINT_PTR timer = ::SetTimer(nullptr, 0, 60000, nullptr);
            MSG msg;
            while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
                if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer) {
                    server.OnIdleTimeout();
                    continue;
                }
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            ::KillTimer(nullptr, timer);
            ::CoRevokeClassObject(cookie);
        }
    }
    ::CoUninitialize();
    return exitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    if (HasSwitch(commandLine, "RegServer"))
        return standin::RegisterServer(ProgramPath()) ? 0 : 1;
    if (HasSwitch(commandLine, "UnregServer"))
        return standin::UnregisterServer() ? 0 : 1;
    return Serve();
}
