// Zephyne.exe: the web publisher, started by the host after it has written
// the publish settings. Its command line is ignored.
#include <windows.h>

#include "publish_app.h"

namespace {

zephyne::CPublishApp thePublisher;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    return fw::RunApp(thePublisher, instance, commandLine);
}
