// Message maps: a few macros that write CWnd::ProcessWindowMessage as a chain
// of tests, first match wins. Handlers are member functions:
//
//   LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
//   LRESULT OnCommand(WORD notifyCode, WORD id, HWND control, bool &handled);
//   void OnMenuCommand();                       (COMMAND_ID_CALL)
//
// `handled` comes in true; a handler that clears it lets the message go on
// down the map and then to the window's default processing. A map that
// leaves a message unhandled passes it to the window's default processing;
// CHAIN_MSG_MAP hands it to a base class's map first.
//
//   BEGIN_MSG_MAP(CTrayDialog)
//       MESSAGE_HANDLER(WM_TRAYICON, OnTrayIcon)
//       COMMAND_ID_CALL(ID_TRAY_EXIT, OnExit)
//       CHAIN_MSG_MAP(fw::CDialog)
//   END_MSG_MAP()
#pragma once
#include <windows.h>

#define BEGIN_MSG_MAP(theClass)                                                                    \
public:                                                                                            \
    bool ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,                  \
                              LRESULT &lResult) override {                                         \
        (void)hWnd;                                                                                \
        (void)wParam;                                                                              \
        (void)lParam;                                                                              \
        (void)lResult;

#define MESSAGE_HANDLER(message, func)                                                             \
    if (uMsg == (message)) {                                                                       \
        bool handled = true;                                                                       \
        lResult = func(uMsg, wParam, lParam, handled);                                             \
        if (handled)                                                                               \
            return true;                                                                           \
    }

#define MESSAGE_RANGE_HANDLER(firstMessage, lastMessage, func)                                     \
    if (uMsg >= (firstMessage) && uMsg <= (lastMessage)) {                                         \
        bool handled = true;                                                                       \
        lResult = func(uMsg, wParam, lParam, handled);                                             \
        if (handled)                                                                               \
            return true;                                                                           \
    }

#define COMMAND_HANDLER(id, code, func)                                                            \
    if (uMsg == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == (code)) {                \
        bool handled = true;                                                                       \
        lResult = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), handled);   \
        if (handled)                                                                               \
            return true;                                                                           \
    }

#define COMMAND_ID_HANDLER(id, func)                                                               \
    if (uMsg == WM_COMMAND && LOWORD(wParam) == (id)) {                                            \
        bool handled = true;                                                                       \
        lResult = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), handled);   \
        if (handled)                                                                               \
            return true;                                                                           \
    }

// A command that needs nothing from the message: menu items, buttons.
#define COMMAND_ID_CALL(id, func)                                                                  \
    if (uMsg == WM_COMMAND && LOWORD(wParam) == (id)) {                                            \
        func();                                                                                    \
        lResult = 0;                                                                               \
        return true;                                                                               \
    }

#define CHAIN_MSG_MAP(baseClass)                                                                   \
    if (baseClass::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult))                      \
        return true;

#define END_MSG_MAP()                                                                              \
    return false;                                                                                  \
    }
