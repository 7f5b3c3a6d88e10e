#pragma once
// Drives the library's windows from a second thread while the test's main
// thread is inside WpPostA: waits (bounded) for a window of the main thread
// by caption, reads and sets its controls, clicks its buttons, and shoots it
// into a PNG file under <build>/webpost-screenshots/.

#include <windows.h>

#include <string>

namespace webpost_test {

class WindowDriver {
public:
    explicit WindowDriver(DWORD uiThread) : uiThread_(uiThread) {}

    // A visible top-level window of the UI thread whose caption is `caption`;
    // nullptr after `timeoutMs`.
    HWND WaitFor(const std::string &caption, DWORD timeoutMs = 10000) const;
    // Waits until `window` is gone; false after `timeoutMs`.
    bool WaitGone(HWND window, DWORD timeoutMs = 10000) const;

    static void Click(HWND dialog, int controlId);
    static void SetText(HWND dialog, int controlId, const std::string &text);
    static std::string Text(HWND dialog, int controlId);
    static bool Enabled(HWND dialog, int controlId);
    static bool Checked(HWND dialog, int controlId);

    // Lets the window paint, then copies it from the screen into
    // <build>/webpost-screenshots/<name>.png. Returns the number of distinct
    // colours (a blank capture has one or two).
    static std::size_t Shoot(HWND window, const std::string &name);

private:
    DWORD uiThread_;
};

}  // namespace webpost_test
