#include "notify_listener.h"

#include "standin_protocol.h"

namespace standin_test {

CNotifyListener::CNotifyListener()
    : notifyMessage_(::RegisterWindowMessageA(standin::kNotifyMessage)) {
    CreateEx(0, "STATIC", "notify listener", 0, 0, 0, 0, 0, HWND_MESSAGE);
}

const std::vector<CNotifyListener::Notification> &CNotifyListener::WaitFor(size_t count,
                                                                           DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (received_.size() < count) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        const DWORD spent = ::GetTickCount() - start;
        if (received_.size() >= count || spent >= timeoutMs)
            break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - spent, QS_ALLINPUT);
    }
    return received_;
}

}  // namespace standin_test
