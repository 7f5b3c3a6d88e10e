#pragma once
// Drives the dialogs that code under test opens on this thread, the
// platform's file dialog included, from a thread timer that every message
// loop on the thread serves. Each step waits for a visible top-level window
// of this thread with its caption, then acts on it; an action that answers
// false is tried again at the next tick (for a window still filling itself).
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vesko_test {

class UiScript {
public:
    using Action = std::function<bool(HWND window)>;
    struct Step {
        std::string caption;
        Action action;
    };

    explicit UiScript(std::vector<Step> steps);
    ~UiScript();
    UiScript(const UiScript &) = delete;
    UiScript &operator=(const UiScript &) = delete;

    // Steps that ran.
    size_t Done() const { return next_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void RunDue();

    static UiScript *current_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
};

// A visible top-level window of this thread with this caption, or nullptr.
HWND FindThreadWindow(const std::string &caption);
std::string TextOf(HWND window);
// Clicks the button `id` of `dialog` the way a click reaches it.
void Click(HWND dialog, int id);

}  // namespace vesko_test
