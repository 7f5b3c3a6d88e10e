// No exception passes through the system's calls of window and dialog
// procedures: what a handler throws comes out of the framework's own loop
// that dispatched the message, and a modal showing it ends leaves no disabled
// owner and no dialog behind.
#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>

#include "framework/app.h"
#include "test_resource_ids.h"
#include "test_windows.h"

namespace fw_test {

namespace fwtest {
using namespace testsupport;
namespace {

constexpr UINT kThrowNow = WM_APP + 7;

struct HandlerFault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A window whose handler for kThrowNow throws.
class CThrowingWindow : public CRecordingWindow {
public:
    BEGIN_MSG_MAP(CThrowingWindow)
    MESSAGE_HANDLER(kThrowNow, OnThrowNow)
    CHAIN_MSG_MAP(CRecordingWindow)
    END_MSG_MAP()

private:
    LRESULT OnThrowNow(UINT, WPARAM, LPARAM, bool &) { throw HandlerFault("window fault"); }
};

// Where the handler that throws is reached from.
enum class Path {
    InitDialog,      // WM_INITDIALOG, inside the dialog's creation
    PostedToDialog,  // a posted message, dispatched by the modal loop
    SentToDialog,    // a message sent from another handler of the dialog
    PostedToMain,    // the main window's handler, dispatched by the modal loop
};

struct BoundaryCase {
    const char *name;
    Path path;
};

void PrintTo(const BoundaryCase &c, std::ostream *out) {
    *out << c.name;
}

class ExceptionBoundaryTest : public ::testing::TestWithParam<BoundaryCase> {
protected:
    void SetUp() override {
        app_ = fw::CApp::Current();
        ASSERT_NE(app_, nullptr);
        ASSERT_TRUE(mainWindow_.Create("Main window", 40, 40));
        app_->SetMainWnd(&mainWindow_);
        DrainQueue();
    }
    void TearDown() override {
        app_->SetMainWnd(nullptr);
        DrainQueue();
    }

    fw::CApp *app_ = nullptr;
    CThrowingWindow mainWindow_;
};

// A dialog whose handler for kThrowNow throws, reached along each path.
TEST_P(ExceptionBoundaryTest, FaultComesOutOfDoModalAndTheShowingEndsCleanly) {
    const BoundaryCase &c = GetParam();
    CScriptedDialog dialog(IDD_PLAIN, &mainWindow_);
    HWND dialogHwnd = nullptr;
    bool sendReturned = false;
    auto thrower = [](CScriptedDialog &) { throw HandlerFault("handler fault"); };
    dialog.onInit = [&](CScriptedDialog &self) {
        dialogHwnd = self.GetSafeHwnd();
        switch (c.path) {
        case Path::InitDialog:
            thrower(self);
            break;
        case Path::PostedToDialog:
            ::PostMessageA(dialogHwnd, kThrowNow, 0, 0);
            break;
        case Path::SentToDialog:
            ::PostMessageA(dialogHwnd, WM_COMMAND, kFinishCommand, 0);
            break;
        case Path::PostedToMain:
            ::PostMessageA(mainWindow_.GetSafeHwnd(), kThrowNow, 0, 0);
            break;
        }
    };
    dialog.onTestMessage = thrower;
    dialog.onFinish = [&](CScriptedDialog &self) {
        // The fault must not come out of SendMessage, a system call.
        ::SendMessageA(self.GetSafeHwnd(), kThrowNow, 0, 0);
        sendReturned = true;
    };

    bool caught = false;
    try {
        dialog.DoModal();
    } catch (const HandlerFault &) {
        caught = true;
    }
    EXPECT_TRUE(caught) << "the handler's exception was lost";
    EXPECT_EQ(sendReturned, c.path == Path::SentToDialog);
    EXPECT_TRUE(::IsWindowEnabled(mainWindow_.GetSafeHwnd())) << "owner left disabled";
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    if (dialogHwnd) {
        EXPECT_FALSE(::IsWindow(dialogHwnd)) << "dialog left on the screen";
    }

    // Nothing is left pending: the next showing runs undisturbed.
    CScriptedDialog next(IDD_PLAIN, &mainWindow_);
    next.onInit = [](CScriptedDialog &self) { self.EndDialog(IDOK); };
    EXPECT_EQ(next.DoModal(), IDOK);
}

INSTANTIATE_TEST_SUITE_P(Paths, ExceptionBoundaryTest,
                         ::testing::Values(BoundaryCase{"InitDialog", Path::InitDialog},
                                           BoundaryCase{"PostedToDialog", Path::PostedToDialog},
                                           BoundaryCase{"SentToDialog", Path::SentToDialog},
                                           BoundaryCase{"PostedToMain", Path::PostedToMain}),
                         [](const ::testing::TestParamInfo<BoundaryCase> &info) {
                             return std::string(info.param.name);
                         });

// The application's own loop hands the fault on to the program.
TEST(ExceptionBoundaryRun, FaultComesOutOfTheApplicationLoop) {
    CThrowingWindow window;
    ASSERT_TRUE(window.Create("Window", 60, 60));
    DrainQueue();
    ::PostMessageA(window.GetSafeHwnd(), kThrowNow, 0, 0);
    fw::CApp *app = fw::CApp::Current();
    ASSERT_NE(app, nullptr);
    EXPECT_THROW(app->Run(), HandlerFault);
    // The loop is usable again afterwards and ends on the quit message.
    ::PostQuitMessage(5);
    EXPECT_EQ(app->Run(), 5);
}

}  // namespace
}  // namespace fwtest

}  // namespace fw_test
