// How messages reach a window, sent or posted, from this thread or another:
// as a tap on the window records them and as the window procedure sees them.
// And the message names of the printouts against the platform's headers.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "message_sequence.h"
#include "message_tap.h"
#include "test_windows.h"

namespace fw_test {

namespace fwtest {
namespace {

using namespace testsupport;

constexpr UINT kWatched = kFirstTestMessage + 1;
constexpr UINT kElsewhere = kFirstTestMessage + 2;

enum class Route { PostHere, SendHere, PostFromThread, SendFromThread };

struct DeliveryCase {
    const char *name;
    Route route;
    Delivery tapped;       // what the tap records
    Delivery inProcedure;  // what the window procedure can tell
};

void PrintTo(const DeliveryCase &c, std::ostream *out) {
    *out << c.name;
}

const DeliveryCase kDeliveries[] = {
    {"PostedByThisThread", Route::PostHere, Delivery::Posted, Delivery::Unknown},
    {"SentByThisThread", Route::SendHere, Delivery::Sent, Delivery::Unknown},
    {"PostedByAnotherThread", Route::PostFromThread, Delivery::Posted, Delivery::Unknown},
    {"SentByAnotherThread", Route::SendFromThread, Delivery::Sent, Delivery::Sent},
};

// Delivers the message along the route and runs this thread's queue until it
// has arrived. A message sent by another thread arrives while this one pumps.
void Deliver(Route route, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto deliver = [=](bool send) {
        if (send)
            ::SendMessageA(hwnd, message, wParam, lParam);
        else
            ::PostMessageA(hwnd, message, wParam, lParam);
    };
    switch (route) {
    case Route::PostHere:
    case Route::SendHere:
        deliver(route == Route::SendHere);
        break;
    case Route::PostFromThread:
    case Route::SendFromThread: {
        std::atomic<bool> done{false};
        std::thread other([&] {
            deliver(route == Route::SendFromThread);
            done = true;
        });
        while (!done) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            DrainQueue();
        }
        other.join();
        break;
    }
    }
    DrainQueue();
}

class MessageTapTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(watched_.Create("Watched", 40, 40));
        ASSERT_TRUE(bystander_.Create("Bystander", 400, 40));
        DrainQueue();
    }
    void TearDown() override { DrainQueue(); }

    HWND Watched() const { return watched_.GetSafeHwnd(); }

    CRecordingWindow watched_;
    CRecordingWindow bystander_;
    CMessageRecorder tapped_;
};

class MessageTapRouteTest : public MessageTapTest,
                            public ::testing::WithParamInterface<DeliveryCase> {};

TEST_P(MessageTapRouteTest, TapTellsSentFromPostedAndTheProcedureWhatItCan) {
    const DeliveryCase &c = GetParam();
    {
        MessageTap tap(tapped_, Watched());
        ASSERT_TRUE(tap.Installed());
        Deliver(c.route, bystander_.GetSafeHwnd(), kElsewhere, 1, 1);
        Deliver(c.route, Watched(), kWatched, 7, -3);
    }
    Deliver(c.route, Watched(), kWatched, 8, 0);  // the tap is gone

    EXPECT_TRUE(MatchesSequence(tapped_.InRange(kFirstTestMessage, kLastTestMessage),
                                {{kWatched, c.tapped, 7, -3, Watched()}}));
    EXPECT_TRUE(
        MatchesSequence(watched_.dispatched.All(), {{kWatched, c.inProcedure, 7, -3, Watched()},
                                                    {kWatched, c.inProcedure, 8, 0, Watched()}}));
    EXPECT_EQ(bystander_.dispatched.All().size(), 1u) << "the bystander's message went astray";
}

INSTANTIATE_TEST_SUITE_P(Routes, MessageTapRouteTest, ::testing::ValuesIn(kDeliveries));

TEST_F(MessageTapTest, WithoutWindowTapSeesEveryWindowAndTheThreadsOwnMessages) {
    {
        MessageTap tap(tapped_, nullptr);
        ASSERT_TRUE(tap.Installed());
        bystander_.SendMessage(kElsewhere, 1, 2);
        ::PostMessageA(Watched(), kWatched, 3, 4);
        ::PostThreadMessageA(::GetCurrentThreadId(), kWatched, 5, 6);
        DrainQueue();
    }
    EXPECT_TRUE(MatchesSequence(tapped_.InRange(kFirstTestMessage, kLastTestMessage),
                                {{kElsewhere, Delivery::Sent, 1, 2, bystander_.GetSafeHwnd()},
                                 {kWatched, Delivery::Posted, 3, 4, Watched()},
                                 {kWatched, Delivery::Posted, 5, 6, nullptr}}));
}

TEST_F(MessageTapTest, MessageALoopOnlyPeeksAtIsRecordedOnceWhenTaken) {
    {
        MessageTap tap(tapped_, Watched());
        ASSERT_TRUE(tap.Installed());
        watched_.PostMessage(kWatched, 9, 9);
        MSG msg;
        ASSERT_TRUE(::PeekMessageA(&msg, Watched(), kWatched, kWatched, PM_NOREMOVE));
        ASSERT_TRUE(::PeekMessageA(&msg, Watched(), kWatched, kWatched, PM_NOREMOVE));
        DrainQueue();
    }
    EXPECT_TRUE(MatchesSequence(tapped_.InRange(kFirstTestMessage, kLastTestMessage),
                                {{kWatched, Delivery::Posted, 9, 9}}));
}

TEST_F(MessageTapTest, OneTapPerThread) {
    CMessageRecorder second;
    MessageTap first(tapped_, Watched());
    ASSERT_TRUE(first.Installed());
    {
        MessageTap extra(second, Watched());
        EXPECT_FALSE(extra.Installed());
    }
    watched_.SendMessage(kWatched, 1, 1);
    EXPECT_TRUE(second.All().empty());
    EXPECT_TRUE(MatchesSequence(tapped_.InRange(kFirstTestMessage, kLastTestMessage),
                                {{kWatched, Delivery::Sent, 1, 1}}))
        << "the first tap stopped when the refused one went away";
}

struct NamedMessage {
    UINT message;
    const char *name;
};
#define NAMED(message)                                                                             \
    { message, #message }

// Every message the printouts name, with the number from the platform's headers.
TEST(MessageNameTest, NamesAgreeWithThePlatformHeaders) {
    const NamedMessage named[] = {
        NAMED(WM_NULL),
        NAMED(WM_CREATE),
        NAMED(WM_DESTROY),
        NAMED(WM_MOVE),
        NAMED(WM_SIZE),
        NAMED(WM_ACTIVATE),
        NAMED(WM_SETFOCUS),
        NAMED(WM_KILLFOCUS),
        NAMED(WM_ENABLE),
        NAMED(WM_SETREDRAW),
        NAMED(WM_SETTEXT),
        NAMED(WM_GETTEXT),
        NAMED(WM_GETTEXTLENGTH),
        NAMED(WM_PAINT),
        NAMED(WM_CLOSE),
        NAMED(WM_QUERYENDSESSION),
        NAMED(WM_QUIT),
        NAMED(WM_ERASEBKGND),
        NAMED(WM_ENDSESSION),
        NAMED(WM_SHOWWINDOW),
        NAMED(WM_SETTINGCHANGE),
        NAMED(WM_ACTIVATEAPP),
        NAMED(WM_CANCELMODE),
        NAMED(WM_SETCURSOR),
        NAMED(WM_MOUSEACTIVATE),
        NAMED(WM_CHILDACTIVATE),
        NAMED(WM_GETMINMAXINFO),
        NAMED(WM_NEXTDLGCTL),
        NAMED(WM_DRAWITEM),
        NAMED(WM_SETFONT),
        NAMED(WM_GETFONT),
        NAMED(WM_GETOBJECT),
        NAMED(WM_WINDOWPOSCHANGING),
        NAMED(WM_WINDOWPOSCHANGED),
        NAMED(WM_COPYDATA),
        NAMED(WM_NOTIFY),
        NAMED(WM_CONTEXTMENU),
        NAMED(WM_STYLECHANGING),
        NAMED(WM_STYLECHANGED),
        NAMED(WM_GETICON),
        NAMED(WM_SETICON),
        NAMED(WM_NCCREATE),
        NAMED(WM_NCDESTROY),
        NAMED(WM_NCCALCSIZE),
        NAMED(WM_NCHITTEST),
        NAMED(WM_NCPAINT),
        NAMED(WM_NCACTIVATE),
        NAMED(WM_GETDLGCODE),
        NAMED(WM_SYNCPAINT),
        NAMED(WM_NCMOUSEMOVE),
        NAMED(WM_KEYDOWN),
        NAMED(WM_KEYUP),
        NAMED(WM_CHAR),
        NAMED(WM_SYSKEYDOWN),
        NAMED(WM_SYSKEYUP),
        NAMED(WM_SYSCHAR),
        NAMED(WM_INITDIALOG),
        NAMED(WM_COMMAND),
        NAMED(WM_SYSCOMMAND),
        NAMED(WM_TIMER),
        NAMED(WM_INITMENU),
        NAMED(WM_INITMENUPOPUP),
        NAMED(WM_MENUSELECT),
        NAMED(WM_ENTERIDLE),
        NAMED(WM_UNINITMENUPOPUP),
        NAMED(WM_CHANGEUISTATE),
        NAMED(WM_UPDATEUISTATE),
        NAMED(WM_QUERYUISTATE),
        NAMED(WM_CTLCOLORMSGBOX),
        NAMED(WM_CTLCOLOREDIT),
        NAMED(WM_CTLCOLORLISTBOX),
        NAMED(WM_CTLCOLORBTN),
        NAMED(WM_CTLCOLORDLG),
        NAMED(WM_CTLCOLORSCROLLBAR),
        NAMED(WM_CTLCOLORSTATIC),
        NAMED(WM_MOUSEMOVE),
        NAMED(WM_LBUTTONDOWN),
        NAMED(WM_LBUTTONUP),
        NAMED(WM_LBUTTONDBLCLK),
        NAMED(WM_RBUTTONDOWN),
        NAMED(WM_RBUTTONUP),
        NAMED(WM_RBUTTONDBLCLK),
        NAMED(WM_PARENTNOTIFY),
        NAMED(WM_ENTERMENULOOP),
        NAMED(WM_EXITMENULOOP),
        NAMED(WM_CAPTURECHANGED),
        NAMED(WM_POWERBROADCAST),
        NAMED(WM_DEVICECHANGE),
        NAMED(WM_IME_SETCONTEXT),
        NAMED(WM_IME_NOTIFY),
    };
    for (const NamedMessage &entry : named)
        EXPECT_EQ(MessageName(entry.message), entry.name);
    EXPECT_EQ(MessageName(WM_USER + 2), "WM_USER+0x2");
    EXPECT_EQ(MessageName(WM_APP + 0x12), "WM_APP+0x12");
}

#undef NAMED

}  // namespace
}  // namespace fwtest

}  // namespace fw_test
