#include "screen_input.h"

namespace testsupport {

namespace {

void Send(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof input);
}

}  // namespace

bool PumpUntil(const std::function<bool()> &done, DWORD ms) {
    DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (done())
            return true;
        if (::GetTickCount() - start >= ms)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void Settle() {
    PumpUntil([] { return false; }, 200);
}

void MovePointerTo(POINT screen) {
    int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    // Absolute coordinates run from 0 to 65535 across the screen.
    Send(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (screen.x * 65535 + width / 2) / (width - 1),
         (screen.y * 65535 + height / 2) / (height - 1));
    Settle();
}

POINT ScreenPointOf(HWND window, POINT client) {
    ::ClientToScreen(window, &client);
    return client;
}

POINT ScreenCentreOf(HWND window) {
    RECT r;
    ::GetClientRect(window, &r);
    return ScreenPointOf(window, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void ClickLeft() {
    Send(MOUSEEVENTF_LEFTDOWN);
    Send(MOUSEEVENTF_LEFTUP);
    Settle();
}

}  // namespace testsupport
