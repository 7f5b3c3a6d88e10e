// The application object: one per process, made by the program as a static
// object and run by RunApp from WinMain. It knows the program's module, the
// module its resources come from, its name (the caption of its message
// boxes), its profile and its main window.
#pragma once
#include <windows.h>

#include <string>

namespace fw {

class CWnd;

class CApp {
public:
    CApp();
    virtual ~CApp();
    CApp(const CApp &) = delete;
    CApp &operator=(const CApp &) = delete;

    // The process's application object (the one made last and still alive),
    // or nullptr before one exists.
    static CApp *Current();

    // Start-up. True runs the framework's message loop (Run) afterwards;
    // false goes straight on to ExitInstance.
    virtual bool InitInstance();
    // Runs the message loop until WM_QUIT; its code becomes the exit code.
    virtual int Run();
    // Clean-up; its result is the process's exit code.
    virtual int ExitInstance();

    HINSTANCE GetInstance() const { return instance_; }
    // Module that strings, dialog templates, menus and icons come from: the
    // program itself unless a resource library has been set.
    HMODULE GetResourceModule() const { return resourceModule_; }
    void SetResourceModule(HMODULE module) { resourceModule_ = module; }

    CWnd *GetMainWnd() const { return mainWnd_; }
    void SetMainWnd(CWnd *window) { mainWnd_ = window; }

    // The program file's base name until the program sets another.
    const std::string &GetAppName() const { return appName_; }
    void SetAppName(const std::string &name) { appName_ = name; }

    // The raw command line after the program's name.
    const std::string &GetCmdLine() const { return cmdLine_; }

    // The profile: <program base name>.INI in the Windows folder.
    std::string GetProfilePath() const;
    // windows.h turns this name into GetProfileIntA everywhere alike.
    int GetProfileInt(const char *section, const char *entry, int defaultValue) const;

protected:
    int exitCode_ = 0;

private:
    friend int RunApp(CApp &app, HINSTANCE instance, const char *cmdLine);

    CApp *previous_;  // current before this one (a program has only one)
    HINSTANCE instance_;
    HMODULE resourceModule_;
    CWnd *mainWnd_ = nullptr;
    std::string appName_;
    std::string cmdLine_;
};

// WinMain's body: InitInstance, Run when it said so, destruction of a main
// window still alive, ExitInstance; returns the exit code.
int RunApp(CApp &app, HINSTANCE instance, const char *cmdLine);

// Message box captioned with the application's name, owned by the main
// window (or the popup it shows). Returns the button chosen.
int AppMessageBox(const std::string &text, UINT flags = MB_OK);

// Base name of the running program's file, without folder and extension.
std::string ProgramBaseName();

// The program's profile, <program base name>.INI in the Windows folder; empty
// when the folder cannot be found.
std::string ProgramProfilePath();
// An integer entry of that profile, or `defaultValue` when the file, the
// section or the entry is missing.
int ReadProfileInt(const char *section, const char *entry, int defaultValue);

}  // namespace fw
