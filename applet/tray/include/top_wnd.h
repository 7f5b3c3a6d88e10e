#pragma once
// The hidden top window: its class name marks a running applet, it receives
// the platform's device-change broadcasts, and when it is destroyed it takes
// the tray icon away.
#include <windows.h>

#include "framework/message_map.h"
#include "framework/wnd.h"
#include "tray_icon.h"

namespace applet {

class CTopWnd : public fw::CWnd {
public:
    explicit CTopWnd(NotifyIconEntry notifyIcon = ::Shell_NotifyIconA);
    // Destroys the window here, so that this class still sees WM_DESTROY.
    ~CTopWnd() override;

    // Registers the top window's class for `instance` with icon `icon`
    // (CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, the platform's default window
    // procedure, the arrow cursor, no menu, brush or extra bytes).
    static bool RegisterClass(HINSTANCE instance, HICON icon);
    static void UnregisterClass(HINSTANCE instance);

    // The window of that class: a tool window, WS_POPUP, titled with the class
    // name, at (-500, -500) with no size, no parent; hidden.
    bool Create();

    BEGIN_MSG_MAP(CTopWnd)
    MESSAGE_HANDLER(WM_DEVICECHANGE, OnDeviceChange)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

private:
    LRESULT OnDeviceChange(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);

    NotifyIconEntry notifyIcon_;
};

}  // namespace applet
