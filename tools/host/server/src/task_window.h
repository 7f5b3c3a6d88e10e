#pragma once
// The window the stand-in shows while a camera task is open: what opened the
// task and for whom, an "End Task" button, and for the camera work the
// pictures, a progress bar, a line that says what is going on, and a
// "Cancel" button while a download runs. The buttons (and closing the
// window) call back; the server does the rest. Control ids are in
// standin_protocol.h.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/message_map.h"
#include "framework/wnd.h"

namespace standin {

// Posted to the window by the server when a task's camera work should
// start: after the call that opened the task has returned to its client.
constexpr UINT kStartWorkMessage = WM_APP + 1;

struct TaskWindowCalls {
    std::function<void()> endTask;    // "End Task", or closing the window
    std::function<void()> cancel;     // "Cancel"
    std::function<void()> startWork;  // kStartWorkMessage
};

class CTaskWindow : public fw::CWnd {
public:
    explicit CTaskWindow(TaskWindowCalls calls) : calls_(std::move(calls)) {}

    // Creates the window on first use, fills in the texts and shows it,
    // with an empty list, no progress and no activity.
    bool Show(const std::string &openedBy, const std::string &clientTitle);
    void Hide();

    void ShowPictures(const std::vector<std::string> &lines);
    void SetActivity(const std::string &text);
    void SetProgress(int percent);
    void ShowCancel(bool shown);
    // The task has ended but the window stays with its last words; its button
    // closes it.
    void ShowClose();

    BEGIN_MSG_MAP(CTaskWindow)
    COMMAND_ID_CALL(kEndTaskButton, OnEndTask)
    COMMAND_ID_CALL(kCancelButton, OnCancel)
    MESSAGE_HANDLER(WM_CLOSE, OnClose)
    MESSAGE_HANDLER(kStartWorkMessage, OnStartWork)
    END_MSG_MAP()

private:
    static constexpr int kEndTaskButton = 1001;  // standin::kEndTaskButtonId
    static constexpr int kCancelButton = 1005;   // standin::kCancelButtonId
    bool Create();
    void OnEndTask() { calls_.endTask(); }
    void OnCancel() { calls_.cancel(); }
    LRESULT OnClose(UINT, WPARAM, LPARAM, bool &) {
        calls_.endTask();
        return 0;
    }
    LRESULT OnStartWork(UINT, WPARAM, LPARAM, bool &) {
        calls_.startWork();
        return 0;
    }

    TaskWindowCalls calls_;
    fw::CWnd status_;
    fw::CWnd client_;
    fw::CWnd list_;
    fw::CWnd progress_;
    fw::CWnd activity_;
    fw::CWnd cancel_;
    fw::CWnd button_;
};

}  // namespace standin
