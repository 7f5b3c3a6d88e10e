#pragma once
// Real mouse input for the link tests: the pointer moved and the button
// pressed through SendInput, so that the windows under test get their mouse
// messages from the system's own input queue, hit-testing and capture
// included; and a wait that pumps this thread's messages meanwhile.
#include <windows.h>

#include <functional>

namespace testsupport {

// Moves the pointer to a screen point and lets the messages arrive.
void MovePointerTo(POINT screen);
// The centre of a window's client rectangle, or a point of it, on the screen.
POINT ScreenPointOf(HWND window, POINT client);
POINT ScreenCentreOf(HWND window);
// Presses and releases the left button where the pointer is.
void ClickLeft();
// Pumps this thread's messages until `done` answers true or `ms` passed.
bool PumpUntil(const std::function<bool()> &done, DWORD ms);
// Pumps for a short while (messages that input produces arrive in turn).
void Settle();

}  // namespace testsupport
