// Message maps: routing of window messages and commands to handlers, the
// default processing of what the map leaves, window creation through both
// kinds of class, and subclassing of a dialog's control.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/data_exchange.h"
#include "framework/message_map.h"
#include "framework/wnd.h"
#include "test_resource_ids.h"
#include "test_windows.h"

namespace fw_test {

namespace fwtest {
namespace {

using namespace testsupport;

constexpr WORD kIdPlain = 501;
constexpr WORD kIdWithCode = 502;
constexpr WORD kIdSimple = 503;
constexpr WORD kIdOverridden = 504;
constexpr WORD kCodeWanted = 9;

struct CommandCall {
    std::string handler;
    WORD code;
    WORD id;
    HWND control;
    bool operator==(const CommandCall &other) const {
        return handler == other.handler && code == other.code && id == other.id &&
               control == other.control;
    }
};

void PrintTo(const CommandCall &call, std::ostream *out) {
    *out << "{" << call.handler << " code " << call.code << " id " << call.id << " control "
         << static_cast<const void *>(call.control) << "}";
}

class CCommandWindow : public fw::CWnd {
public:
    std::vector<CommandCall> calls;
    std::vector<UINT> created;  // WM_NCCREATE and WM_CREATE as they arrived

    BEGIN_MSG_MAP(CCommandWindow)
    MESSAGE_HANDLER(WM_NCCREATE, OnCreateMessage)
    MESSAGE_HANDLER(WM_CREATE, OnCreateMessage)
    MESSAGE_HANDLER(WM_SETTEXT, OnSetText)
    COMMAND_ID_HANDLER(kIdPlain, OnPlain)
    COMMAND_HANDLER(kIdWithCode, kCodeWanted, OnWithCode)
    COMMAND_ID_CALL(kIdSimple, OnSimple)
    COMMAND_ID_HANDLER(kIdOverridden, OnOverridden)
    END_MSG_MAP()

private:
    LRESULT OnCreateMessage(UINT message, WPARAM, LPARAM, bool &handled) {
        created.push_back(message);
        handled = false;  // creation goes on as usual
        return 0;
    }
    // Texts starting with "keep:" are left to the default processing, the
    // rest swallowed.
    LRESULT OnSetText(UINT, WPARAM, LPARAM lParam, bool &handled) {
        handled = std::string(reinterpret_cast<const char *>(lParam)).rfind("keep:", 0) != 0;
        return handled ? 2 : 0;
    }
    LRESULT OnPlain(WORD code, WORD id, HWND control, bool &) {
        calls.push_back({"plain", code, id, control});
        return id + code;
    }
    LRESULT OnWithCode(WORD code, WORD id, HWND control, bool &) {
        calls.push_back({"withCode", code, id, control});
        return 0;
    }
    void OnSimple() { calls.push_back({"simple", 0, kIdSimple, nullptr}); }

protected:
    virtual LRESULT OnOverridden(WORD code, WORD id, HWND control, bool &) {
        calls.push_back({"base", code, id, control});
        return 0;
    }
};

class CDerivedCommandWindow : public CCommandWindow {
public:
    BEGIN_MSG_MAP(CDerivedCommandWindow)
    COMMAND_ID_HANDLER(kIdOverridden, OnDerived)
    CHAIN_MSG_MAP(CCommandWindow)
    END_MSG_MAP()

private:
    LRESULT OnDerived(WORD code, WORD id, HWND control, bool &) {
        calls.push_back({"derived", code, id, control});
        return 0;
    }
};

const char kFrameworkClass[] = "FwTestCommandWindow";
const char kForeignClass[] = "FwTestForeignWindow";

void RegisterTestClasses() {
    WNDCLASSA windowClass = {};
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (!::GetClassInfoA(instance, kFrameworkClass, &windowClass)) {
        windowClass = {};
        windowClass.lpszClassName = kFrameworkClass;
        ASSERT_NE(fw::CWnd::RegisterWindowClass(windowClass), 0);
    }
    if (!::GetClassInfoA(instance, kForeignClass, &windowClass)) {
        // Someone else's class: the platform's default procedure, as the
        // applet registers its hidden window class.
        windowClass = {};
        windowClass.lpszClassName = kForeignClass;
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = instance;
        ASSERT_NE(::RegisterClassA(&windowClass), 0);
    }
}

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        ASSERT_TRUE(
            window_.CreateEx(0, kFrameworkClass, "commands", WS_POPUP, 0, 0, 10, 10, nullptr));
    }
    void TearDown() override { DrainQueue(); }

    LRESULT Command(WORD id, WORD code, HWND control = nullptr) {
        return window_.SendMessage(WM_COMMAND, MAKEWPARAM(id, code),
                                   reinterpret_cast<LPARAM>(control));
    }

    CCommandWindow window_;
};

TEST_F(MessageMapTest, CommandByIdReachesOnlyItsHandlerWithCodeAndControl) {
    HWND someControl = window_.GetSafeHwnd();
    LRESULT answer = Command(kIdPlain, 3, someControl);

    std::vector<CommandCall> expected = {{"plain", 3, kIdPlain, someControl}};
    EXPECT_EQ(window_.calls, expected);
    EXPECT_EQ(answer, kIdPlain + 3);
}

TEST_F(MessageMapTest, CommandHandlerWithCodeTakesOnlyThatCode) {
    Command(kIdWithCode, kCodeWanted + 1);
    EXPECT_TRUE(window_.calls.empty());
    Command(kIdWithCode, kCodeWanted);
    std::vector<CommandCall> expected = {{"withCode", kCodeWanted, kIdWithCode, nullptr}};
    EXPECT_EQ(window_.calls, expected);
}

TEST_F(MessageMapTest, SimpleCommandCallsItsMember) {
    Command(kIdSimple, 0);
    std::vector<CommandCall> expected = {{"simple", 0, kIdSimple, nullptr}};
    EXPECT_EQ(window_.calls, expected);
}

TEST_F(MessageMapTest, UnmappedCommandIsNotHandled) {
    Command(777, 0);
    EXPECT_TRUE(window_.calls.empty());
}

TEST_F(MessageMapTest, MessageLeftByTheMapGetsDefaultProcessing) {
    window_.SetWindowText("keep: this title");
    EXPECT_EQ(window_.GetWindowText(), "keep: this title");
    LRESULT swallowed = window_.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("dropped"));
    EXPECT_EQ(swallowed, 2);
    EXPECT_EQ(window_.GetWindowText(), "keep: this title");
}

TEST_F(MessageMapTest, WindowOfFrameworkClassSeesItsCreation) {
    std::vector<UINT> expected = {WM_NCCREATE, WM_CREATE};
    EXPECT_EQ(window_.created, expected);
    EXPECT_EQ(fw::CWnd::FromHandle(window_.GetSafeHwnd()), &window_);
}

TEST_F(MessageMapTest, DerivedMapOverridesAndChainsToTheBase) {
    CDerivedCommandWindow derived;
    ASSERT_TRUE(derived.CreateEx(0, kFrameworkClass, "derived", WS_POPUP, 0, 0, 10, 10, nullptr));
    derived.SendMessage(WM_COMMAND, MAKEWPARAM(kIdOverridden, 0), 0);
    derived.SendMessage(WM_COMMAND, MAKEWPARAM(kIdPlain, 1), 0);
    std::vector<CommandCall> expected = {{"derived", 0, kIdOverridden, nullptr},
                                         {"plain", 1, kIdPlain, nullptr}};
    EXPECT_EQ(derived.calls, expected);
}

TEST_F(MessageMapTest, WindowOfForeignClassIsTakenOverAfterCreation) {
    CCommandWindow foreign;
    ASSERT_TRUE(foreign.CreateEx(WS_EX_TOOLWINDOW, kForeignClass, "foreign", WS_POPUP, -500, -500,
                                 0, 0, nullptr));
    HWND hwnd = foreign.GetSafeHwnd();
    EXPECT_TRUE(foreign.created.empty());  // those came before the takeover
    ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(kIdPlain, 4), 0);
    std::vector<CommandCall> expected = {{"plain", 4, kIdPlain, nullptr}};
    EXPECT_EQ(foreign.calls, expected);
    foreign.SetWindowText("keep: default procedure still works");
    EXPECT_EQ(foreign.GetWindowText(), "keep: default procedure still works");
}

TEST_F(MessageMapTest, OwnedWindowIsDestroyedWithItsObject) {
    HWND hwnd = nullptr;
    {
        CCommandWindow temporary;
        ASSERT_TRUE(
            temporary.CreateEx(0, kFrameworkClass, "temporary", WS_POPUP, 0, 0, 10, 10, nullptr));
        hwnd = temporary.GetSafeHwnd();
        ASSERT_TRUE(::IsWindow(hwnd));
    }
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(MessageMapTest, WindowDestroyedElsewhereLeavesTheObjectEmpty) {
    HWND hwnd = window_.GetSafeHwnd();
    ::DestroyWindow(hwnd);
    EXPECT_EQ(window_.GetSafeHwnd(), nullptr);
    EXPECT_EQ(fw::CWnd::FromHandle(hwnd), nullptr);
}

TEST_F(MessageMapTest, AttachedWindowIsWrappedButNeitherRoutedNorOwned) {
    HWND hwnd = ::CreateWindowExA(0, kForeignClass, "plain", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    {
        CCommandWindow wrapper;
        ASSERT_TRUE(wrapper.Attach(hwnd));
        EXPECT_FALSE(wrapper.Attach(hwnd)) << "holds a window already";
        EXPECT_EQ(wrapper.GetWindowText(), "plain");
        ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(kIdPlain, 0), 0);
        EXPECT_TRUE(wrapper.calls.empty());
        EXPECT_EQ(fw::CWnd::FromHandle(hwnd), nullptr);
    }
    EXPECT_TRUE(::IsWindow(hwnd));
    ::DestroyWindow(hwnd);
}

TEST_F(MessageMapTest, DetachedDialogIsLeftToTheSystem) {
    CScriptedDialog dialog(IDD_PLAIN, nullptr);
    ASSERT_TRUE(dialog.Create());
    HWND hwnd = dialog.GetSafeHwnd();
    ::SendMessageA(hwnd, kFirstTestMessage, 1, 0);
    EXPECT_EQ(dialog.Detach(), hwnd);

    ::SendMessageA(hwnd, kFirstTestMessage, 2, 0);
    std::vector<RecordedMessage> expected = {{hwnd, kFirstTestMessage, 1, 0}};
    EXPECT_EQ(dialog.dispatched.All(), expected);
    EXPECT_EQ(fw::CWnd::FromHandle(hwnd), nullptr);
    EXPECT_TRUE(::IsWindow(hwnd));
    ::DestroyWindow(hwnd);
}

// An edit control's stand-in object: swallows the letter x, records the rest.
class CFilteringEdit : public fw::CWnd {
public:
    std::string seen;

    BEGIN_MSG_MAP(CFilteringEdit)
    MESSAGE_HANDLER(WM_CHAR, OnChar)
    END_MSG_MAP()

private:
    LRESULT OnChar(UINT, WPARAM wParam, LPARAM, bool &handled) {
        seen += static_cast<char>(wParam);
        handled = wParam == 'x';
        return 0;
    }
};

std::string ControlText(HWND control) {
    char text[256] = {};
    ::GetWindowTextA(control, text, sizeof text);
    return text;
}

void Type(HWND control, const char *text) {
    for (; *text; ++text)
        ::SendMessageA(control, WM_CHAR, static_cast<unsigned char>(*text), 1);
}

class SubclassTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog_.Create());
        edit_ = dialog_.GetDlgItem(IDC_EDIT);
        ASSERT_NE(edit_, nullptr);
        originalProc_ = ::GetWindowLongPtrA(edit_, GWLP_WNDPROC);
    }
    void TearDown() override { DrainQueue(); }

    CScriptedDialog dialog_{IDD_PLAIN, nullptr};
    HWND edit_ = nullptr;
    LONG_PTR originalProc_ = 0;
};

TEST_F(SubclassTest, SubclassedControlGetsItsMessagesAndPassesTheRestOn) {
    CFilteringEdit filter;
    ASSERT_TRUE(filter.SubclassDlgItem(IDC_EDIT, dialog_));
    EXPECT_EQ(fw::CWnd::FromHandle(edit_), &filter);

    Type(edit_, "axbx");
    EXPECT_EQ(filter.seen, "axbx");
    EXPECT_EQ(ControlText(edit_), "ab");
}

TEST_F(SubclassTest, UnsubclassingRestoresTheOriginalProcedure) {
    CFilteringEdit filter;
    ASSERT_TRUE(filter.SubclassDlgItem(IDC_EDIT, dialog_));
    ASSERT_NE(::GetWindowLongPtrA(edit_, GWLP_WNDPROC), originalProc_);
    ASSERT_TRUE(filter.UnsubclassWindow());

    EXPECT_EQ(::GetWindowLongPtrA(edit_, GWLP_WNDPROC), originalProc_);
    EXPECT_EQ(filter.GetSafeHwnd(), nullptr);
    EXPECT_EQ(fw::CWnd::FromHandle(edit_), nullptr);
    Type(edit_, "xy");
    EXPECT_EQ(filter.seen, "");
    EXPECT_EQ(ControlText(edit_), "xy");
}

TEST_F(SubclassTest, ObjectGoingAwayRestoresTheControl) {
    {
        CFilteringEdit filter;
        ASSERT_TRUE(filter.SubclassDlgItem(IDC_EDIT, dialog_));
    }
    EXPECT_EQ(::GetWindowLongPtrA(edit_, GWLP_WNDPROC), originalProc_);
    EXPECT_TRUE(::IsWindow(edit_));  // subclassing does not own the control
    Type(edit_, "x");
    EXPECT_EQ(ControlText(edit_), "x");
}

TEST_F(SubclassTest, ControlDestroyedWithItsDialogReleasesTheObject) {
    CFilteringEdit filter;
    ASSERT_TRUE(filter.SubclassDlgItem(IDC_EDIT, dialog_));
    ASSERT_TRUE(dialog_.DestroyWindow());
    EXPECT_EQ(filter.GetSafeHwnd(), nullptr);

    // Free for another window.
    CScriptedDialog second(IDD_PLAIN, nullptr);
    ASSERT_TRUE(second.Create());
    EXPECT_TRUE(filter.SubclassDlgItem(IDC_EDIT, second));
}

LRESULT CALLBACK UppercaseProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto next = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, "FwTestNextProc"));
    if (message == WM_CHAR && wParam >= 'a' && wParam <= 'z')
        wParam -= 'a' - 'A';
    return ::CallWindowProcA(next, hwnd, message, wParam, lParam);
}

TEST_F(SubclassTest, LettingGoUnderAnotherSubclassKeepsTheChainWorking) {
    CFilteringEdit filter;
    ASSERT_TRUE(filter.SubclassDlgItem(IDC_EDIT, dialog_));
    // Someone subclasses the control after us.
    LONG_PTR ours =
        ::SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(UppercaseProc));
    ::SetPropA(edit_, "FwTestNextProc", reinterpret_cast<HANDLE>(ours));

    ASSERT_TRUE(filter.UnsubclassWindow());
    // Their procedure stays outermost; ours, still inside, only passes on.
    EXPECT_EQ(::GetWindowLongPtrA(edit_, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(UppercaseProc));
    Type(edit_, "ax");
    EXPECT_EQ(filter.seen, "");
    EXPECT_EQ(ControlText(edit_), "AX");

    // And the control can be taken over again without a second link in the chain.
    ASSERT_TRUE(filter.SubclassDlgItem(IDC_EDIT, dialog_));
    Type(edit_, "b");
    EXPECT_EQ(filter.seen, "B");
    ::RemovePropA(edit_, "FwTestNextProc");
}

TEST_F(SubclassTest, BindingThroughDataExchangeSubclassesOnce) {
    class CBindingDialog : public CScriptedDialog {
    public:
        CBindingDialog() : CScriptedDialog(IDD_PLAIN, nullptr) {}
        CFilteringEdit edit;

    protected:
        void DoDataExchange(fw::CDataExchange &exchange) override {
            fw::BindControl(exchange, IDC_EDIT, edit);
        }
    };
    CBindingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    HWND edit = dialog.GetDlgItem(IDC_EDIT);
    EXPECT_EQ(dialog.edit.GetSafeHwnd(), edit);
    EXPECT_TRUE(dialog.UpdateData(false));  // bound already: nothing more to do
    EXPECT_TRUE(dialog.UpdateData(true));
    Type(edit, "x1");
    EXPECT_EQ(dialog.edit.seen, "x1");
    EXPECT_EQ(ControlText(edit), "1");
}

}  // namespace
}  // namespace fwtest

}  // namespace fw_test
