#include "message_tap.h"

namespace testsupport {

thread_local MessageTap *MessageTap::current_ = nullptr;

MessageTap::MessageTap(CMessageRecorder &recorder, HWND window)
    : recorder_(recorder), window_(window) {
    if (current_)
        return;
    const DWORD thread = ::GetCurrentThreadId();
    sentHook_ = ::SetWindowsHookExA(WH_CALLWNDPROC, SentHook, nullptr, thread);
    queueHook_ = ::SetWindowsHookExA(WH_GETMESSAGE, QueueHook, nullptr, thread);
    if (Installed())
        current_ = this;
}

MessageTap::~MessageTap() {
    if (current_ == this)
        current_ = nullptr;
    if (sentHook_)
        ::UnhookWindowsHookEx(sentHook_);
    if (queueHook_)
        ::UnhookWindowsHookEx(queueHook_);
}

LRESULT CALLBACK MessageTap::SentHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && current_) {
        const auto *call = reinterpret_cast<const CWPSTRUCT *>(lParam);
        current_->Note(call->hwnd, call->message, call->wParam, call->lParam, Delivery::Sent);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MessageTap::QueueHook(int code, WPARAM wParam, LPARAM lParam) {
    // A loop that only peeks leaves the message queued: it is noted when taken.
    if (code == HC_ACTION && wParam == PM_REMOVE && current_) {
        const auto *msg = reinterpret_cast<const MSG *>(lParam);
        current_->Note(msg->hwnd, msg->message, msg->wParam, msg->lParam, Delivery::Posted);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageTap::Note(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, Delivery delivery) {
    if (!window_ || hwnd == window_)
        recorder_.Record(hwnd, message, wParam, lParam, delivery);
}

}  // namespace testsupport
