#pragma once
// Finds a running applet's windows from outside its process, as the applet's
// process tests and the installer's probe look for it: the hidden top window
// that marks a running applet, and the hidden main dialog it owns.
#include <windows.h>

namespace testsupport {

// The applet's top-level window of class MirelleAppletClass, whoever runs it.
HWND FindAppletMarker();

// The applet's hidden main dialog: the dialog that the marker window owns.
HWND FindAppletMainDialog(HWND marker);

// Whether the applet's tray icon, owned by `owner` (its main dialog), is in
// the notification area.
bool TrayIconPresent(HWND owner);

}  // namespace testsupport
