#pragma once
// A message-only window of the test process that collects the stand-in's
// "MirelleNotify" messages, as the applet's main dialog would receive them.

#include <windows.h>

#include <utility>
#include <vector>

#include "framework/message_map.h"
#include "framework/wnd.h"

namespace standin_test {

class CNotifyListener : public fw::CWnd {
public:
    using Notification = std::pair<WPARAM, LPARAM>;

    CNotifyListener();
    // The window handle as the 32-bit number SetNotifyWindow takes.
    long HandleNumber() const { return static_cast<long>(reinterpret_cast<LONG_PTR>(hwnd_)); }

    // Runs this thread's messages until `count` notifications are in (or the
    // deadline of `timeoutMs` has passed) and returns all received so far.
    const std::vector<Notification> &WaitFor(size_t count, DWORD timeoutMs = 10000);
    void Forget() { received_.clear(); }

    BEGIN_MSG_MAP(CNotifyListener)
    MESSAGE_HANDLER(notifyMessage_, OnNotify)
    END_MSG_MAP()

private:
    LRESULT OnNotify(UINT, WPARAM wParam, LPARAM lParam, bool &) {
        received_.emplace_back(wParam, lParam);
        return 0;
    }

    UINT notifyMessage_;
    std::vector<Notification> received_;
};

}  // namespace standin_test
