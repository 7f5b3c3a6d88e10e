#pragma once
// What the applet's windows say to each other and to the notification area:
// the private messages, the task states of the host's camera task and the
// class name that marks a running applet.
#include <windows.h>

namespace applet {

// Private window messages (WM_USER + n).
constexpr UINT WM_TRAYICON = WM_USER + 1;       // idle tray icon's callback
constexpr UINT WM_TRAYICON_BUSY = WM_USER + 2;  // busy tray icon's callback: dropped
constexpr UINT WM_TRAYEVENT = WM_USER + 3;      // a tray click, re-posted to the main dialog
constexpr UINT WM_CARDARRIVED = WM_USER + 4;    // a camera card arrived (posted to the top window)

// State of the host application's camera task.
enum TaskState { TaskNone = 0, TaskOpen = 1, TaskDownload = 2 };

// The hidden top window's class; a window of it marks a running applet.
constexpr char kAppletClassName[] = "MirelleAppletClass";

}  // namespace applet
