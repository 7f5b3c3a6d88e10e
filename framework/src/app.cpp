#include "framework/app.h"

#include "framework/wnd.h"
#include "message_pump.h"

namespace fw {

namespace {

// The process's one application object: programs have exactly one, made
// before WinMain, and everything that needs the resource module, the main
// window or the application's name asks it.
CApp *currentApp = nullptr;

}  // namespace

CApp::CApp()
    : previous_(currentApp), instance_(::GetModuleHandleA(nullptr)), resourceModule_(instance_),
      appName_(ProgramBaseName()) {
    currentApp = this;
}

CApp::~CApp() {
    if (currentApp == this)
        currentApp = previous_;
}

CApp *CApp::Current() {
    return currentApp;
}

bool CApp::InitInstance() {
    return false;
}

int CApp::Run() {
    MSG msg;
    BOOL got;
    while ((got = ::GetMessageA(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return -1;
        detail::RouteQueuedMessage(msg);
    }
    return static_cast<int>(msg.wParam);
}

int CApp::ExitInstance() {
    return exitCode_;
}

int RunApp(CApp &app, HINSTANCE instance, const char *cmdLine) {
    // A resource library set before this call stays; otherwise the program's
    // own module is the source of its resources.
    if (app.resourceModule_ == app.instance_)
        app.resourceModule_ = instance;
    app.instance_ = instance;
    app.cmdLine_ = cmdLine ? cmdLine : "";
    if (app.InitInstance())
        app.exitCode_ = app.Run();
    if (CWnd *mainWnd = app.GetMainWnd()) {
        if (HWND hwnd = mainWnd->GetSafeHwnd())
            ::DestroyWindow(hwnd);
    }
    return app.ExitInstance();
}

}  // namespace fw
