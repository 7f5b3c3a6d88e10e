#pragma once
// The small window the stand-in shows while a camera task is open: what
// opened the task and for whom, and an "End Task" button. The button (and
// closing the window) ends the task as the host would on its own: the
// window calls back and the server does the rest.

#include <windows.h>

#include <functional>
#include <string>

#include "framework/message_map.h"
#include "framework/wnd.h"

namespace standin {

class CTaskWindow : public fw::CWnd {
public:
    explicit CTaskWindow(std::function<void()> onEndTask) : onEndTask_(std::move(onEndTask)) {}

    // Creates the window on first use, fills in the texts and shows it.
    bool Show(const std::string &openedBy, const std::string &clientTitle);
    void Hide();

    BEGIN_MSG_MAP(CTaskWindow)
    COMMAND_ID_CALL(kEndTaskButton, OnEndTask)
    MESSAGE_HANDLER(WM_CLOSE, OnClose)
    END_MSG_MAP()

private:
    static constexpr int kEndTaskButton = 1001;  // standin::kEndTaskButtonId
    bool Create();
    void OnEndTask() { onEndTask_(); }
    LRESULT OnClose(UINT, WPARAM, LPARAM, bool &) {
        onEndTask_();
        return 0;
    }

    std::function<void()> onEndTask_;
    fw::CWnd status_;
    fw::CWnd client_;
    fw::CWnd button_;
};

}  // namespace standin
