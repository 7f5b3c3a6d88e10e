#pragma once
// The applet's calls to the notification area. Each is one notify-icon record
// for icon 147, sent through an entry that tests may replace to see the
// record the platform would get.
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace applet {

using NotifyIconEntry = BOOL(WINAPI *)(DWORD action, PNOTIFYICONDATAA data);

// The tip field holds 128 bytes: longer tips are cut to 127 characters.
constexpr size_t kTrayTipMaxLength = 127;

// The record for one call: the form with a 128-byte tip field (488 bytes on
// 32-bit Windows). Add sends the message, icon and tip (NIF_MESSAGE |
// NIF_ICON | NIF_TIP); modify sends the message and tip only, so the image
// is never sent again; delete sends no flags.
NOTIFYICONDATAA MakeTrayRecord(HWND owner, DWORD action, const std::string &tip, UINT callback,
                               HICON icon);

// One notify-icon call for the application's main window; skipped (false)
// when there is no main window. A failing call is the platform's answer and
// is only passed on.
bool SetTrayIcon(NotifyIconEntry entry, DWORD action, const std::string &tip, UINT callback,
                 HICON icon);

}  // namespace applet
