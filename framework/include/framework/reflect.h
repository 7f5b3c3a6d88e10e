// Notifications that a dialog or window gets about one of its controls
// (colour requests, commands, notify messages, owner drawing), handed back to
// the control's own window object so that a control class can look after
// itself. The control's object sees them as kReflectedBase + the original
// message number, with the original wParam and lParam; what its message map
// answers becomes the parent's answer.
//
//   BEGIN_MSG_MAP(CMyDialog)
//       REFLECT_NOTIFICATIONS()
//       CHAIN_MSG_MAP(fw::CDialog)
//   END_MSG_MAP()
#pragma once
#include <windows.h>

namespace fw {

// Above every system message a control could be sent for real.
constexpr UINT kReflectedBase = WM_USER + 0x1C00;

// The control a parent's message is about: lParam of WM_CTLCOLOR* and of a
// control's WM_COMMAND, hwndFrom of WM_NOTIFY, hwndItem of WM_DRAWITEM;
// nullptr for anything else (menu and accelerator commands included).
HWND ReflectionTarget(UINT message, WPARAM wParam, LPARAM lParam);

// Offers the message to the target control's window object. True when that
// object handled it, with its answer in `result`.
bool ReflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result);

}  // namespace fw

#define REFLECT_NOTIFICATIONS()                                                                    \
    if (fw::ReflectNotification(uMsg, wParam, lParam, lResult))                                    \
        return true;
