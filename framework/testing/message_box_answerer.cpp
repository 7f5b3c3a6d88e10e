#include "message_box_answerer.h"

namespace testsupport {

thread_local MessageBoxAnswerer *MessageBoxAnswerer::current_ = nullptr;

MessageBoxAnswerer::MessageBoxAnswerer(int button) : button_(button) {
    if (current_)
        return;
    hook_ = ::SetWindowsHookExA(WH_CALLWNDPROCRET, Hook, nullptr, ::GetCurrentThreadId());
    if (hook_)
        current_ = this;
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    if (!hook_)
        return;
    ::UnhookWindowsHookEx(hook_);
    current_ = nullptr;
}

LRESULT CALLBACK MessageBoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
    auto *call = reinterpret_cast<const CWPRETSTRUCT *>(lParam);
    if (code == HC_ACTION && current_ && call->message == WM_INITDIALOG)
        current_->Answer(call->hwnd);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswerer::Answer(HWND box) {
    char buffer[256] = {};
    ::GetWindowTextA(box, buffer, sizeof buffer);
    caption = buffer;
    buffer[0] = '\0';
    ::GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);  // the message text
    text = buffer;
    owner = ::GetWindow(box, GW_OWNER);
    ++boxes;
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
}

}  // namespace testsupport
