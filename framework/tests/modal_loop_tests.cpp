// The framework's modal loop: what reaches the main window's pre-translation
// hook, what is dispatched, how the loop ends and what happens to the owner.
#include <gtest/gtest.h>

#include <vector>

#include "framework/app.h"
#include "test_resource_ids.h"
#include "test_windows.h"

namespace fw_test {

namespace fwtest {
namespace {

using namespace testsupport;

constexpr UINT kToDialog = WM_APP + 1;
constexpr UINT kToMain = WM_APP + 2;
constexpr UINT kToOther = WM_APP + 3;
constexpr UINT kSwallowed = WM_APP + 4;
constexpr UINT kCardArrived = WM_APP + 5;

// The test messages and finishing commands among what a hook was offered.
std::vector<RecordedMessage> PostedByTest(const CMessageRecorder &recorder) {
    std::vector<RecordedMessage> selected;
    for (const RecordedMessage &entry : recorder.All()) {
        bool testMessage = entry.message >= kFirstTestMessage && entry.message <= kLastTestMessage;
        bool finish = entry.message == WM_COMMAND && LOWORD(entry.wParam) == kFinishCommand;
        if (testMessage || finish)
            selected.push_back(entry);
    }
    return selected;
}

class ModalLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        app_ = fw::CApp::Current();
        ASSERT_NE(app_, nullptr);
        ASSERT_TRUE(mainWindow_.Create("Main window", 40, 40));
        ASSERT_TRUE(otherWindow_.Create("Other top-level window", 700, 40));
        app_->SetMainWnd(&mainWindow_);
        DrainQueue();
        mainWindow_.preTranslated.Clear();
    }
    void TearDown() override {
        app_->SetMainWnd(nullptr);
        DrainQueue();
    }

    HWND Main() const { return mainWindow_.GetSafeHwnd(); }
    HWND Other() const { return otherWindow_.GetSafeHwnd(); }

    fw::CApp *app_ = nullptr;
    CRecordingWindow mainWindow_;
    CRecordingWindow otherWindow_;
};

TEST_F(ModalLoopTest, MainHookSeesMessagesForEveryWindowAndConsumedOnesAreNotDispatched) {
    const int chosenResult = 4242;
    CScriptedDialog dialog(IDD_PLAIN, &mainWindow_);
    HWND dialogHwnd = nullptr;
    BOOL ownerEnabledDuringLoop = TRUE;
    mainWindow_.consumeInHook = kSwallowed;
    dialog.onInit = [&](CScriptedDialog &self) {
        dialogHwnd = self.GetSafeHwnd();
        ::PostMessageA(dialogHwnd, kToDialog, 1, 10);
        ::PostMessageA(Main(), kToMain, 2, 20);
        ::PostMessageA(Other(), kToOther, 3, 30);
        ::PostMessageA(Other(), kSwallowed, 4, 40);
        ::PostMessageA(dialogHwnd, WM_COMMAND, kFinishCommand, 0);
    };
    dialog.onFinish = [&](CScriptedDialog &self) {
        ownerEnabledDuringLoop = ::IsWindowEnabled(Main());
        self.EndDialog(chosenResult);
    };

    ASSERT_TRUE(::IsWindowEnabled(Main()));
    EXPECT_EQ(dialog.DoModal(), chosenResult);

    std::vector<RecordedMessage> expectedHook = {
        {dialogHwnd, kToDialog, 1, 10, Delivery::Posted},
        {Main(), kToMain, 2, 20, Delivery::Posted},
        {Other(), kToOther, 3, 30, Delivery::Posted},
        {Other(), kSwallowed, 4, 40, Delivery::Posted},
        {dialogHwnd, WM_COMMAND, kFinishCommand, 0, Delivery::Posted},
    };
    EXPECT_EQ(PostedByTest(mainWindow_.preTranslated), expectedHook);
    std::vector<RecordedMessage> toDialog = {{dialogHwnd, kToDialog, 1, 10}};
    std::vector<RecordedMessage> toMain = {{Main(), kToMain, 2, 20}};
    std::vector<RecordedMessage> toOther = {{Other(), kToOther, 3, 30}};
    EXPECT_EQ(dialog.dispatched.All(), toDialog);
    EXPECT_EQ(mainWindow_.dispatched.All(), toMain);
    EXPECT_EQ(otherWindow_.dispatched.All(), toOther) << "the swallowed message was dispatched";

    EXPECT_FALSE(ownerEnabledDuringLoop);
    EXPECT_TRUE(::IsWindowEnabled(Main()));
    EXPECT_FALSE(::IsWindow(dialogHwnd));
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST_F(ModalLoopTest, DialogOwnHookSeesItsMessagesAfterTheMainHook) {
    CScriptedDialog dialog(IDD_PLAIN, &mainWindow_);
    HWND dialogHwnd = nullptr;
    dialog.onInit = [&](CScriptedDialog &self) {
        dialogHwnd = self.GetSafeHwnd();
        ::PostMessageA(dialogHwnd, kToDialog, 5, 50);
        ::PostMessageA(Other(), kToOther, 6, 60);
        ::PostMessageA(dialogHwnd, WM_COMMAND, kFinishCommand, 0);
    };
    dialog.onFinish = [](CScriptedDialog &self) { self.EndDialog(IDOK); };

    EXPECT_EQ(dialog.DoModal(), IDOK);

    // Messages for other top-level windows are none of the dialog's business.
    std::vector<RecordedMessage> expected = {
        {dialogHwnd, kToDialog, 5, 50, Delivery::Posted},
        {dialogHwnd, WM_COMMAND, kFinishCommand, 0, Delivery::Posted},
    };
    EXPECT_EQ(PostedByTest(dialog.preTranslated), expected);
}

// Ends its modal run from its own pre-translation hook, as the applet's main
// dialog does, noting whether its owner was disabled at that moment.
class CEndsInHook : public CScriptedDialog {
public:
    using CScriptedDialog::CScriptedDialog;
    UINT endOn = 0;
    BOOL ownerEnabledInHook = TRUE;

    bool PreTranslateMessage(MSG &msg) override {
        if (msg.message == endOn) {
            ownerEnabledInHook = ::IsWindowEnabled(::GetWindow(GetSafeHwnd(), GW_OWNER));
            EndDialog(static_cast<int>(msg.wParam));
        }
        return CScriptedDialog::PreTranslateMessage(msg);
    }
};

// The applet's shape: the modal dialog is itself the main window, its owner
// another top-level window, and its hook takes a message posted to that
// other window.
TEST_F(ModalLoopTest, ModalMainDialogHookTakesMessagesOfAnotherTopLevelWindow) {
    const int chosenResult = 31;
    CEndsInHook mainDialog(IDD_PLAIN, &otherWindow_);
    mainDialog.consumeInHook = kCardArrived;
    mainDialog.endOn = kCardArrived;
    mainDialog.onInit = [&](CScriptedDialog &self) {
        ::PostMessageA(Other(), kCardArrived, chosenResult, 0);
        // Ends the loop should the hook never see the message.
        ::PostMessageA(self.GetSafeHwnd(), WM_COMMAND, kFinishCommand, 0);
    };
    mainDialog.onFinish = [](CScriptedDialog &self) { self.EndDialog(-2); };
    app_->SetMainWnd(&mainDialog);

    EXPECT_EQ(mainDialog.DoModal(), chosenResult);

    std::vector<RecordedMessage> seen = {
        {Other(), kCardArrived, chosenResult, 0, Delivery::Posted}};
    EXPECT_EQ(PostedByTest(mainDialog.preTranslated), seen);
    EXPECT_TRUE(otherWindow_.dispatched.All().empty());
    EXPECT_FALSE(mainDialog.ownerEnabledInHook);
    EXPECT_TRUE(::IsWindowEnabled(Other()));
}

TEST_F(ModalLoopTest, DialogIsShownUnlessToldToStayHidden) {
    for (bool show : {true, false}) {
        CScriptedDialog dialog(IDD_PLAIN, &mainWindow_);
        dialog.SetShowWhenModal(show);
        BOOL visibleDuringLoop = !show;
        dialog.onInit = [](CScriptedDialog &self) {
            ::PostMessageA(self.GetSafeHwnd(), WM_COMMAND, kFinishCommand, 0);
        };
        dialog.onFinish = [&](CScriptedDialog &self) {
            visibleDuringLoop = ::IsWindowVisible(self.GetSafeHwnd());
            self.EndDialog(IDOK);
        };
        EXPECT_EQ(dialog.DoModal(), IDOK) << show;
        EXPECT_EQ(visibleDuringLoop != FALSE, show);
    }
}

TEST_F(ModalLoopTest, OwnerDisabledBeforehandStaysDisabled) {
    ::EnableWindow(Main(), FALSE);
    CScriptedDialog dialog(IDD_PLAIN, &mainWindow_);
    dialog.onInit = [](CScriptedDialog &self) {
        ::PostMessageA(self.GetSafeHwnd(), WM_COMMAND, kFinishCommand, 0);
    };
    dialog.onFinish = [](CScriptedDialog &self) { self.EndDialog(IDOK); };

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(::IsWindowEnabled(Main()));
    ::EnableWindow(Main(), TRUE);
}

TEST_F(ModalLoopTest, DialogWithoutParentIsOwnedByTheMainWindow) {
    CScriptedDialog dialog(IDD_PLAIN, nullptr);
    HWND owner = nullptr;
    BOOL mainEnabledDuringLoop = TRUE;
    dialog.onInit = [](CScriptedDialog &self) {
        ::PostMessageA(self.GetSafeHwnd(), WM_COMMAND, kFinishCommand, 0);
    };
    dialog.onFinish = [&](CScriptedDialog &self) {
        owner = ::GetWindow(self.GetSafeHwnd(), GW_OWNER);
        mainEnabledDuringLoop = ::IsWindowEnabled(Main());
        self.EndDialog(IDOK);
    };

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(owner, Main());
    EXPECT_FALSE(mainEnabledDuringLoop);
    EXPECT_TRUE(::IsWindowEnabled(Main()));
}

TEST_F(ModalLoopTest, EscapeInAControlCancelsThroughTheDialogKeyboardInterface) {
    CScriptedDialog dialog(IDD_PLAIN, &mainWindow_);
    dialog.onInit = [](CScriptedDialog &self) {
        ::PostMessageA(self.GetDlgItem(IDC_EDIT), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(ModalLoopTest, OkButtonEndsWithOk) {
    CScriptedDialog dialog(IDD_PLAIN, &mainWindow_);
    dialog.onInit = [](CScriptedDialog &self) {
        ::PostMessageA(self.GetDlgItem(IDOK), BM_CLICK, 0, 0);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST_F(ModalLoopTest, QuitEndsTheLoopAndStaysQueuedForTheOuterLoop) {
    const int quitCode = 17;
    CScriptedDialog dialog(IDD_PLAIN, &mainWindow_);
    dialog.onInit = [&](CScriptedDialog &) { ::PostQuitMessage(quitCode); };

    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_TRUE(::IsWindowEnabled(Main()));
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(quitCode));
}

TEST_F(ModalLoopTest, WindowDestroyedFromOutsideEndsTheLoop) {
    CScriptedDialog dialog(IDD_PLAIN, &mainWindow_);
    dialog.onInit = [](CScriptedDialog &self) {
        ::PostMessageA(self.GetSafeHwnd(), WM_COMMAND, kFinishCommand, 0);
    };
    dialog.onFinish = [](CScriptedDialog &self) { ::DestroyWindow(self.GetSafeHwnd()); };

    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_TRUE(::IsWindowEnabled(Main()));
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST_F(ModalLoopTest, EndInInitialisationSkipsTheLoop) {
    const int chosenResult = 9;
    CScriptedDialog dialog(IDD_PLAIN, &mainWindow_);
    dialog.onInit = [&](CScriptedDialog &self) {
        // Would be dispatched if a loop ran.
        ::PostMessageA(self.GetSafeHwnd(), kToDialog, 0, 0);
        self.EndDialog(chosenResult);
    };

    EXPECT_EQ(dialog.DoModal(), chosenResult);
    EXPECT_TRUE(dialog.dispatched.All().empty());
    EXPECT_TRUE(::IsWindowEnabled(Main()));
}

TEST_F(ModalLoopTest, MissingTemplateFailsAndLeavesTheOwnerAlone) {
    CScriptedDialog dialog(IDS_MISSING, &mainWindow_);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_TRUE(::IsWindowEnabled(Main()));
}

TEST_F(ModalLoopTest, NestedModalDialogsDisableAndRestoreTheirOwnersInTurn) {
    const int innerResult = 7;
    const int outerResult = 8;
    CScriptedDialog outer(IDD_PLAIN, &mainWindow_);
    HWND outerHwnd = nullptr;
    HWND innerHwnd = nullptr;
    INT_PTR innerReturned = 0;
    BOOL outerEnabledDuringInner = TRUE;
    BOOL mainEnabledDuringInner = TRUE;
    outer.onInit = [&](CScriptedDialog &self) {
        outerHwnd = self.GetSafeHwnd();
        ::PostMessageA(outerHwnd, WM_COMMAND, kFinishCommand, 0);
    };
    outer.onFinish = [&](CScriptedDialog &self) {
        CScriptedDialog inner(IDD_PLAIN, &self);
        inner.onInit = [&](CScriptedDialog &innerSelf) {
            innerHwnd = innerSelf.GetSafeHwnd();
            ::PostMessageA(Main(), kToMain, 1, 1);
            ::PostMessageA(innerHwnd, WM_COMMAND, kFinishCommand, 0);
        };
        inner.onFinish = [&](CScriptedDialog &innerSelf) {
            outerEnabledDuringInner = ::IsWindowEnabled(outerHwnd);
            mainEnabledDuringInner = ::IsWindowEnabled(Main());
            innerSelf.EndDialog(innerResult);
        };
        innerReturned = inner.DoModal();
        // Back in the outer loop, which must still run.
        ::PostMessageA(outerHwnd, kToDialog, 2, 2);
    };
    outer.onTestMessage = [&](CScriptedDialog &self) { self.EndDialog(outerResult); };

    EXPECT_EQ(outer.DoModal(), outerResult);
    EXPECT_EQ(innerReturned, innerResult);
    EXPECT_FALSE(outerEnabledDuringInner);
    EXPECT_FALSE(mainEnabledDuringInner);
    EXPECT_TRUE(::IsWindowEnabled(Main()));
    std::vector<RecordedMessage> expectedHook = {
        {outerHwnd, WM_COMMAND, kFinishCommand, 0, Delivery::Posted},
        {Main(), kToMain, 1, 1, Delivery::Posted},
        {innerHwnd, WM_COMMAND, kFinishCommand, 0, Delivery::Posted},
        {outerHwnd, kToDialog, 2, 2, Delivery::Posted},
    };
    EXPECT_EQ(PostedByTest(mainWindow_.preTranslated), expectedHook);
}

}  // namespace
}  // namespace fwtest

}  // namespace fw_test
