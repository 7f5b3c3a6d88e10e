// The main dialog and the top window as the applet runs them: the records
// the notification area gets, tray clicks and menu commands and where they
// lead, the open tray menu in each task state, the exit question, and the
// top window's part.
#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>

#include <optional>
#include <string>
#include <vector>

#include "applet_test_app.h"
#include "framework/app.h"
#include "framework/help.h"
#include "framework/res_string.h"
#include "message_box_answerer.h"
#include "registry_sandbox.h"
#include "screen_shot.h"
#include "settings_store.h"
#include "tolvarc_ids.h"
#include "tray_probe.h"

using namespace vesko_test;
using applet::TaskDownload;
using applet::TaskNone;
using applet::TaskOpen;
using applet::WM_CARDARRIVED;
using applet::WM_TRAYICON;
using applet::WM_TRAYICON_BUSY;
using testsupport::MessageBoxAnswerer;

namespace {

class TrayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sandbox_.Ready());
        ASSERT_NE(testsupport::AppletResources(), nullptr);
        ASSERT_TRUE(top_.Ready());
        NotifyCalls().clear();
        NotifyAnswer() = TRUE;
    }
    void TearDown() override { NotifyAnswer() = TRUE; }

    std::string Title() const { return fw::LoadResString(IDS_APP_TITLE); }

    testsupport::RegistrySandbox sandbox_;
    CTestTopWnd top_;
};

// What the notification area answers: the shell can report a failed add at
// logon although the icon is there, and the looks must follow all the same.
struct ShellAnswerCase {
    const char *name;
    BOOL answer;
};

class TrayIconRecordsTest : public TrayTest,
                            public ::testing::WithParamInterface<ShellAnswerCase> {};

TEST_P(TrayIconRecordsTest, IconRecordsOfAddIdleBusyAndEnd) {
    NotifyAnswer() = GetParam().answer;
    CProbeAppletDlg dialog(&top_);
    MainWindowScope main(&dialog);
    dialog.steps = {
        [](CProbeAppletDlg &d) { d.SetBusyLook(); },
        [](CProbeAppletDlg &d) { d.SetIdleLook(); },
        [](CProbeAppletDlg &d) { d.EndApplet(); },
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    const std::string title = Title();
    const std::string busyTip = fw::FormatResString(IDS_BUSY_TIP, title);
    struct Expected {
        DWORD action;
        UINT flags;
        UINT callback;
        std::string tip;
        bool icon;
    };
    const std::vector<Expected> expected = {
        {NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP, WM_TRAYICON, title, true},
        {NIM_MODIFY, NIF_MESSAGE | NIF_TIP, WM_TRAYICON_BUSY, busyTip, true},
        {NIM_MODIFY, NIF_MESSAGE | NIF_TIP, WM_TRAYICON, title, true},
        {NIM_DELETE, 0, 0, "", true},
    };
    const std::vector<NotifyCall> &calls = NotifyCalls();
    ASSERT_EQ(calls.size(), expected.size());
    for (size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE("call " + std::to_string(i));
        const NOTIFYICONDATAA &r = calls[i].record;
        EXPECT_EQ(calls[i].action, expected[i].action);
        EXPECT_EQ(r.cbSize, NOTIFYICONDATAA_V2_SIZE);
        EXPECT_EQ(r.uID, static_cast<UINT>(IDI_TRAY));
        EXPECT_EQ(r.uFlags, expected[i].flags);
        EXPECT_EQ(r.uCallbackMessage, expected[i].callback);
        EXPECT_EQ(std::string(r.szTip), expected[i].tip);
        EXPECT_EQ(r.hIcon != nullptr, expected[i].icon);
        EXPECT_NE(r.hWnd, nullptr);
    }
#ifndef _WIN64
    static_assert(NOTIFYICONDATAA_V2_SIZE == 488, "the record with a 128-byte tip");
#endif
}

INSTANTIATE_TEST_SUITE_P(
    ShellAnswers, TrayIconRecordsTest,
    ::testing::Values(ShellAnswerCase{"Succeeded", TRUE}, ShellAnswerCase{"ReportedFailure", FALSE}),
    [](const ::testing::TestParamInfo<ShellAnswerCase> &info) {
        return std::string(info.param.name);
    });

TEST(TrayRecord, TipIsCutTo127Characters) {
    struct Case {
        size_t length;
        size_t kept;
    };
    for (const Case &c :
         {Case{0, 0}, Case{126, 126}, Case{127, 127}, Case{128, 127}, Case{200, 127}}) {
        std::string tip;
        for (size_t i = 0; i < c.length; ++i)
            tip += static_cast<char>('a' + i % 26);
        const NOTIFYICONDATAA r = applet::MakeTrayRecord(nullptr, NIM_MODIFY, tip, 0, nullptr);
        EXPECT_EQ(std::string(r.szTip), tip.substr(0, c.kept)) << c.length << " characters";
    }
}

// Where a tray click or a menu command leads.
struct RouteCase {
    const char *name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::vector<std::string> operations;
};

class TrayRouteTest : public TrayTest, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(TrayRouteTest, ReachesItsOperation) {
    const RouteCase &c = GetParam();
    CProbeAppletDlg dialog(&top_);
    MainWindowScope main(&dialog);
    dialog.steps = {[&c](CProbeAppletDlg &d) { d.PostMessage(c.message, c.wParam, c.lParam); }};
    EXPECT_EQ(dialog.DoModal(), CProbeAppletDlg::kScriptDone);
    EXPECT_EQ(dialog.operations, c.operations);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, TrayRouteTest,
    ::testing::Values(
        RouteCase{"DoubleClick", WM_TRAYICON, IDI_TRAY, WM_LBUTTONDBLCLK, {"StartLaunch"}},
        RouteCase{"BusyDoubleClick", WM_TRAYICON_BUSY, IDI_TRAY, WM_LBUTTONDBLCLK, {}},
        RouteCase{"SingleClick", WM_TRAYICON, IDI_TRAY, WM_LBUTTONDOWN, {}},
        RouteCase{"StartCommand", WM_COMMAND, ID_TRAY_START, 0, {"StartLaunch"}},
        RouteCase{"CloseCommand", WM_COMMAND, ID_TRAY_CLOSE, 0, {"CloseTask"}},
        RouteCase{"DownloadCommand", WM_COMMAND, ID_TRAY_DOWNLOAD, 0, {"StartDownloadTask"}},
        RouteCase{"CardArrivedToTheDialog", WM_CARDARRIVED, 0, 0, {"OnCardArrived"}}),
    [](const ::testing::TestParamInfo<RouteCase> &info) { return std::string(info.param.name); });

TEST_F(TrayTest, CardArrivalPostedToTheTopWindowIsHandledOnceByTheDialog) {
    CProbeAppletDlg dialog(&top_);
    MainWindowScope main(&dialog);
    HWND top = top_.GetSafeHwnd();
    dialog.steps = {[top](CProbeAppletDlg &) { ::PostMessageA(top, WM_CARDARRIVED, 0, 0); }};
    dialog.DoModal();
    EXPECT_EQ(dialog.operations, std::vector<std::string>{"OnCardArrived"});
}

// The tray menu as it is open on the screen.
struct OpenMenu {
    bool seen = false;
    std::vector<UINT> grayed, checked;
    size_t colours = 0;
};
thread_local OpenMenu *openMenu = nullptr;
thread_local std::string menuShotPath;

// A timer of the menu's owner: the menu's own loop dispatches its ticks.
constexpr UINT_PTR kMenuTimer = 77;

BOOL CALLBACK MatchOwnMenu(HWND hwnd, LPARAM found) {
    char name[16] = "";
    ::GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpA(name, "#32768") != 0 || !::IsWindowVisible(hwnd))
        return TRUE;
    *reinterpret_cast<HWND *>(found) = hwnd;
    return FALSE;
}

// This thread's open popup menu: tests of other programs open menus too.
HWND OwnOpenMenu() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchOwnMenu, reinterpret_cast<LPARAM>(&found));
    return found;
}

VOID CALLBACK ReadOpenMenu(HWND owner, UINT, UINT_PTR id, DWORD) {
    HWND popup = OwnOpenMenu();
    if (!popup)
        return;  // not open yet: the next tick looks again
    ::KillTimer(owner, id);
    auto menu = reinterpret_cast<HMENU>(::SendMessageA(popup, MN_GETHMENU, 0, 0));
    openMenu->seen = menu != nullptr;
    for (UINT command = ID_TRAY_START; command <= ID_TRAY_OPTIONS; ++command) {
        const UINT state = ::GetMenuState(menu, command, MF_BYCOMMAND);
        if (state & MF_GRAYED)
            openMenu->grayed.push_back(command);
        if (state & MF_CHECKED)
            openMenu->checked.push_back(command);
    }
    RECT rect;
    ::GetWindowRect(popup, &rect);
    openMenu->colours = testsupport::ShootScreen(rect, menuShotPath);
    ::EndMenu();
}

struct MenuCase {
    const char *name;
    int taskState;
    std::vector<UINT> grayed, checked;
};

void PrintTo(const MenuCase &c, std::ostream *out) {
    *out << c.name;
}

class TrayMenuTest : public TrayTest, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(TrayMenuTest, RightClickOpensTheMenuWithItemsByTaskState) {
    const MenuCase &c = GetParam();
    CProbeAppletDlg dialog(&top_);
    MainWindowScope main(&dialog);
    OpenMenu seen;
    openMenu = &seen;
    menuShotPath =
        testsupport::ScreenshotFolder("vesko-screenshots") + "\\tray-menu-" + c.name + ".png";
    dialog.steps = {[&c](CProbeAppletDlg &d) {
        d.SetTaskState(c.taskState);
        ::SetCursorPos(300, 300);
        ::SetTimer(d.GetSafeHwnd(), kMenuTimer, 50, ReadOpenMenu);
        d.PostMessage(WM_TRAYICON, IDI_TRAY, WM_RBUTTONUP);
    }};
    EXPECT_EQ(dialog.DoModal(), CProbeAppletDlg::kScriptDone);
    openMenu = nullptr;
    ASSERT_TRUE(seen.seen) << "the tray menu did not open";
    EXPECT_EQ(seen.grayed, c.grayed);
    EXPECT_EQ(seen.checked, c.checked);
    // Text, background and separator at least (Tahoma is drawn unsmoothed).
    EXPECT_GE(seen.colours, 3u) << "the menu was not captured";
    EXPECT_TRUE(dialog.operations.empty()) << "closing the menu chose nothing";
}

INSTANTIATE_TEST_SUITE_P(
    States, TrayMenuTest,
    ::testing::Values(MenuCase{"none", TaskNone, {ID_TRAY_CLOSE}, {}},
                      MenuCase{"open", TaskOpen, {ID_TRAY_START}, {ID_TRAY_START}},
                      MenuCase{"download", TaskDownload, {}, {ID_TRAY_DOWNLOAD}}),
    [](const ::testing::TestParamInfo<MenuCase> &info) { return std::string(info.param.name); });

TEST_F(TrayTest, BusyLookDropsTheRightClick) {
    CProbeAppletDlg dialog(&top_);
    MainWindowScope main(&dialog);
    OpenMenu seen;
    openMenu = &seen;
    dialog.steps = {
        [](CProbeAppletDlg &d) {
            d.SetBusyLook();
            ::SetTimer(d.GetSafeHwnd(), kMenuTimer, 50, ReadOpenMenu);
            d.PostMessage(WM_TRAYICON_BUSY, IDI_TRAY, WM_RBUTTONUP);
        },
        [](CProbeAppletDlg &) {
            // Long enough for several timer ticks, had a menu opened.
            const DWORD start = ::GetTickCount();
            MSG msg;
            while (::GetTickCount() - start < 300) {
                while (::PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
                    ::DispatchMessageA(&msg);
                ::Sleep(10);
            }
        },
        [](CProbeAppletDlg &d) { ::KillTimer(d.GetSafeHwnd(), kMenuTimer); },
    };
    dialog.DoModal();
    openMenu = nullptr;
    EXPECT_FALSE(seen.seen);
}

struct ExitCase {
    const char *name;
    int answer;
    int result;  // of the dialog's modal run
    std::vector<std::string> operations;
    bool iconRemoved;
};

class TrayExitTest : public TrayTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(TrayExitTest, ExitQuestionAnswered) {
    const ExitCase &c = GetParam();
    CProbeAppletDlg dialog(&top_);
    MainWindowScope main(&dialog);
    std::string caption, text;
    bool removed = false;
    dialog.steps = {[&](CProbeAppletDlg &d) {
        MessageBoxAnswerer answerer(c.answer);
        d.SendMessage(WM_COMMAND, ID_TRAY_EXIT, 0);
        caption = answerer.caption;
        text = answerer.text;
        removed = NotifyCalls().back().action == static_cast<DWORD>(NIM_DELETE);
    }};
    EXPECT_EQ(dialog.DoModal(), c.result);
    EXPECT_EQ(caption, fw::CApp::Current()->GetAppName());
    EXPECT_EQ(text, fw::FormatResString(IDS_EXIT_QUESTION, Title()));
    EXPECT_EQ(dialog.operations, c.operations);
    EXPECT_EQ(removed, c.iconRemoved);
    // Either way the icon goes with its window, once.
    size_t deletes = 0;
    for (const NotifyCall &call : NotifyCalls())
        deletes += call.action == static_cast<DWORD>(NIM_DELETE);
    EXPECT_EQ(NotifyCalls().back().action, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(deletes, 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TrayExitTest,
    ::testing::Values(ExitCase{"No", IDNO, CProbeAppletDlg::kScriptDone, {}, false},
                      ExitCase{"Yes", IDYES, IDCANCEL, {"CloseTask"}, true}),
    [](const ::testing::TestParamInfo<ExitCase> &info) { return std::string(info.param.name); });

struct OptionsCommandCase {
    const char *name;
    int answer;
    int taskState;
    std::vector<std::string> operations;
    std::optional<int32_t> connectVia;  // Connect\ConnectVia before and after; absent if none
};

class TrayOptionsTest : public TrayTest,
                        public ::testing::WithParamInterface<OptionsCommandCase> {};

TEST_P(TrayOptionsTest, OptionsOkAppliesThemToAnOpenTask) {
    const OptionsCommandCase &c = GetParam();
    constexpr int32_t kAbsent = -987654;
    if (c.connectVia) {
        ASSERT_TRUE(settings::WriteRegDword("Connect", "ConnectVia", *c.connectVia));
    }
    CProbeAppletDlg dialog(&top_);
    MainWindowScope main(&dialog);
    int boxes = 0;
    dialog.steps = {[&](CProbeAppletDlg &d) {
        d.SetTaskState(c.taskState);
        MessageBoxAnswerer answerer(c.answer);  // the Options dialog, answered
        d.SendMessage(WM_COMMAND, ID_TRAY_OPTIONS, 0);
        boxes = answerer.boxes;
    }};
    dialog.DoModal();
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(dialog.operations, c.operations);
    // The dialog only reads the connection kind: the card arrival owns it.
    EXPECT_EQ(settings::ReadRegDword("Connect", "ConnectVia", kAbsent),
              c.connectVia.value_or(kAbsent));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TrayOptionsTest,
    ::testing::Values(
        OptionsCommandCase{"OkWithOpenTask", IDOK, TaskOpen, {"ApplyOptions 1"}, std::nullopt},
        OptionsCommandCase{
            "OkWithDownloadTask", IDOK, TaskDownload, {"ApplyOptions 1"}, std::nullopt},
        OptionsCommandCase{"OkWithoutTask", IDOK, TaskNone, {}, std::nullopt},
        OptionsCommandCase{"CancelWithOpenTask", IDCANCEL, TaskOpen, {}, std::nullopt},
        OptionsCommandCase{"OkWithKind3", IDOK, TaskOpen, {"ApplyOptions 1"}, 3}),
    [](const ::testing::TestParamInfo<OptionsCommandCase> &info) {
        return std::string(info.param.name);
    });

TEST_F(TrayTest, AboutCommandShowsTheAboutDialogAndNothingElse) {
    CProbeAppletDlg dialog(&top_);
    MainWindowScope main(&dialog);
    std::string caption;
    dialog.steps = {[&](CProbeAppletDlg &d) {
        MessageBoxAnswerer answerer(IDOK);
        d.SendMessage(WM_COMMAND, ID_TRAY_ABOUT, 0);
        caption = answerer.caption;
    }};
    dialog.DoModal();
    EXPECT_EQ(caption, fw::FormatResString(IDS_ABOUT_CAPTION, Title()));
    EXPECT_TRUE(dialog.operations.empty());
}

TEST_F(TrayTest, HelpCommandNamesTheMissingHelpFileAndNothingElse) {
    // The test program ships no help file beside itself.
    const std::string helpFile = fw::ProgramHelpPath();
    ASSERT_EQ(::GetFileAttributesA(helpFile.c_str()), INVALID_FILE_ATTRIBUTES);
    CProbeAppletDlg dialog(&top_);
    MainWindowScope main(&dialog);
    std::string caption, text;
    int boxes = 0;
    dialog.steps = {[&](CProbeAppletDlg &d) {
        MessageBoxAnswerer answerer(IDOK);
        d.SendMessage(WM_COMMAND, fw::kHelpCommand, 0);
        caption = answerer.caption;
        text = answerer.text;
        boxes = answerer.boxes;
    }};
    EXPECT_EQ(dialog.DoModal(), CProbeAppletDlg::kScriptDone);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(caption, fw::CApp::Current()->GetAppName());
    EXPECT_EQ(text, "Cannot find the help file " + helpFile + ".");
    EXPECT_NE(helpFile.find("\\vesko_tray_tests.hlp"), std::string::npos) << helpFile;
    EXPECT_TRUE(dialog.operations.empty());
}

// Device broadcasts that are no card arrival: nothing is posted and the top
// window answers as the platform's default would.
TEST_F(TrayTest, DeviceChangeWithoutCardArrivalGetsTheDefaultAnswer) {
    DEV_BROADCAST_VOLUME volume = {};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << ('Q' - 'A');  // no card behind it
    DEV_BROADCAST_HDR port = {};
    port.dbch_size = sizeof port;
    port.dbch_devicetype = DBT_DEVTYP_PORT;
    struct Case {
        const char *name;
        WPARAM event;
        LPARAM data;
    };
    const Case cases[] = {
        {"query remove", DBT_DEVICEQUERYREMOVE, reinterpret_cast<LPARAM>(&volume)},
        {"query change of configuration", DBT_QUERYCHANGECONFIG, 0},
        {"removal", DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&volume)},
        {"arrival of a port", DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&port)},
        {"arrival of a volume without card", DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&volume)},
        {"nodes changed", DBT_DEVNODES_CHANGED, 0},
    };
    HWND top = top_.GetSafeHwnd();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const LRESULT expected = ::DefWindowProcA(top, WM_DEVICECHANGE, c.event, c.data);
        EXPECT_EQ(::SendMessageA(top, WM_DEVICECHANGE, c.event, c.data), expected);
        MSG posted;
        EXPECT_FALSE(::PeekMessageA(&posted, top, WM_CARDARRIVED, WM_CARDARRIVED, PM_REMOVE));
    }
}

TEST_F(TrayTest, DestroyedTopWindowTakesTheIconAway) {
    // A second top window, so that the main dialog (owned by the first) lives
    // on when it goes.
    CTestTopWnd other;
    ASSERT_TRUE(other.Ready());
    CProbeAppletDlg dialog(&top_);
    MainWindowScope main(&dialog);
    HWND dialogWindow = nullptr;
    std::vector<NotifyCall> calls;
    dialog.steps = {[&](CProbeAppletDlg &d) {
        dialogWindow = d.GetSafeHwnd();
        NotifyCalls().clear();
        other.DestroyWindow();
        calls = NotifyCalls();
    }};
    dialog.DoModal();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls.front().action, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(calls.front().record.hWnd, dialogWindow);
    EXPECT_EQ(calls.front().record.uID, static_cast<UINT>(IDI_TRAY));

    // Without a main window there is nothing to remove.
    CTestTopWnd alone;
    ASSERT_TRUE(alone.Ready());
    NotifyCalls().clear();
    alone.DestroyWindow();
    EXPECT_TRUE(NotifyCalls().empty());
}

}  // namespace
