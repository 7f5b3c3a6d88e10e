// Test support: windows and dialogs of the framework's own classes that tests
// drive and then question. They write down what reached their pre-translation
// hook (posted messages) and which test messages (kFirstTestMessage to
// kLastTestMessage) their message map got, as a window procedure can tell
// them (see CMessageRecorder::RecordInProcedure); a dialog runs the steps a
// test gives it. Both live on the creating thread, which must run a message
// loop (or DrainQueue) for them.
#pragma once
#include <windows.h>

#include <functional>

#include "framework/dialog.h"
#include "framework/message_map.h"
#include "framework/wnd.h"
#include "message_recorder.h"

namespace testsupport {

// The application-defined messages the tests post around.
constexpr UINT kFirstTestMessage = WM_APP;
constexpr UINT kLastTestMessage = WM_APP + 0xFF;
// A command that makes a CScriptedDialog run its finishing step.
constexpr WORD kFinishCommand = 40001;

// A visible top-level window of the framework's own class.
class CRecordingWindow : public fw::CWnd {
public:
    bool Create(const char *title, int x, int y);

    CMessageRecorder preTranslated;  // everything offered to the hook
    CMessageRecorder dispatched;     // test messages that reached the window
    UINT consumeInHook = 0;          // this message is swallowed by the hook

    bool PreTranslateMessage(MSG &msg) override;

    BEGIN_MSG_MAP(CRecordingWindow)
    MESSAGE_RANGE_HANDLER(kFirstTestMessage, kLastTestMessage, OnTestMessage)
    END_MSG_MAP()

private:
    LRESULT OnTestMessage(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
};

// A dialog whose initialisation and finishing command run what the test says.
class CScriptedDialog : public fw::CDialog {
public:
    using Step = std::function<void(CScriptedDialog &)>;
    CScriptedDialog(UINT templateId, fw::CWnd *parent) : CDialog(templateId, parent) {}

    Step onInit;                     // after the standard initialisation
    Step onFinish;                   // on WM_COMMAND kFinishCommand
    Step onTestMessage;              // on every test message, after recording it
    CMessageRecorder preTranslated;  // what its own hook was offered
    CMessageRecorder dispatched;     // test messages that reached the dialog
    UINT consumeInHook = 0;

    bool PreTranslateMessage(MSG &msg) override;

    BEGIN_MSG_MAP(CScriptedDialog)
    MESSAGE_RANGE_HANDLER(kFirstTestMessage, kLastTestMessage, OnTestMessage)
    COMMAND_ID_HANDLER(kFinishCommand, OnFinish)
    END_MSG_MAP()

protected:
    bool OnInitDialog() override;

private:
    LRESULT OnTestMessage(UINT message, WPARAM wParam, LPARAM lParam, bool &handled);
    LRESULT OnFinish(WORD code, WORD id, HWND control, bool &handled);
};

// Dispatches whatever is queued for this thread, so that a test starts from
// an empty queue.
void DrainQueue();

}  // namespace testsupport
