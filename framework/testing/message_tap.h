// Test support: records the messages that reach a window, and how each came,
// through hooks on the calling thread. A sent message (SendMessage and its
// relatives, from this thread or another) is recorded as Delivery::Sent when
// it is handed to the window procedure; a posted one as Delivery::Posted when
// a message loop takes it from the queue, whether the loop then dispatches it
// or a pre-translation hook consumes it. What the queue makes itself
// (WM_TIMER, WM_PAINT, input) counts as posted. Messages of other threads'
// windows are never seen. One tap per thread at a time: a second one is not
// Installed. The recorder belongs to the test and must outlive the tap.
#pragma once
#include <windows.h>

#include "message_recorder.h"

namespace testsupport {

class MessageTap {
public:
    // Records what reaches `window`; with nullptr, every window of this
    // thread and the messages posted to the thread itself.
    MessageTap(CMessageRecorder &recorder, HWND window);
    ~MessageTap();
    MessageTap(const MessageTap &) = delete;
    MessageTap &operator=(const MessageTap &) = delete;

    bool Installed() const { return sentHook_ && queueHook_; }

private:
    static LRESULT CALLBACK SentHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK QueueHook(int code, WPARAM wParam, LPARAM lParam);
    void Note(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, Delivery delivery);

    // Hook procedures have no context of their own: they find the tap of
    // their thread here.
    static thread_local MessageTap *current_;
    CMessageRecorder &recorder_;
    HWND window_;
    HHOOK sentHook_ = nullptr;
    HHOOK queueHook_ = nullptr;
};

}  // namespace testsupport
