// Vesko.exe: the tray applet.
#include <windows.h>

#include "applet_app.h"

namespace {

applet::CAppletApp theApplet;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    return fw::RunApp(theApplet, instance, commandLine);
}
