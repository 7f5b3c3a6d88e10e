// The host client's state machine on the real COM path: the main dialog runs
// as in the applet and creates its host object by ProgID; the object is the
// recording automation object of the test support, answering the host's six
// methods as told. Each case is a script of tray commands and host
// notifications with the task state after each step, the calls the object
// got in order, the message shown and whether the applet ended.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "applet_test_app.h"
#include "date_album_name_win.h"
#include "feature_flags.h"
#include "framework/app.h"
#include "framework/dispatch_driver.h"
#include "framework/ole_init.h"
#include "framework/res_string.h"
#include "message_box_answerer.h"
#include "notice_dialog.h"
#include "registered_recorder.h"
#include "registry_sandbox.h"
#include "screen_shot.h"
#include "settings_store.h"
#include "tolvarc_ids.h"
#include "tray_probe.h"

using namespace vesko_test;
using namespace applet;
using testsupport::MessageBoxAnswerer;

namespace {

// One step of a script, on the dialog.
enum class Act { Launch, Download, Close, Options, Notify0, Notify1, ExitNo };

// What a case sets up, does and expects.
struct HostCase {
    const char *name;
    std::vector<std::pair<DISPID, long>> answers;  // besides the accepting defaults
    std::pair<DISPID, long> failOn;                // {0, 0}: none
    std::vector<Act> script;
    std::vector<std::string> trail;  // "state pending held" after each step
    std::vector<std::string> calls;  // dispatch identifier and arguments, in order
    UINT message;                    // string shown last (0: none)
    bool ended;                      // the applet ended (EndApplet)
};

const char *const kNone = "0 0 free";

class HostClientTest : public ::testing::TestWithParam<HostCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(sandbox_.Ready());
        ASSERT_TRUE(ole_.Succeeded());
        ASSERT_NE(testsupport::AppletResources(), nullptr);
        ASSERT_TRUE(recorder_.Ready()) << recorder_.Problem();
        ASSERT_TRUE(top_.Ready());
        recorder_.Clear();
        NotifyCalls().clear();
    }
    void TearDown() override { recorder_.Clear(); }

    // The host's defaults: every call accepted.
    void AnswerAsAWillingHost() const {
        recorder_.SetAnswer(kDispApplyOptions, VT_EMPTY, 0);
        recorder_.SetAnswer(kDispEndTask, VT_BOOL, -1);
        recorder_.SetAnswer(kDispSetNotifyWindow, VT_BOOL, -1);
        recorder_.SetAnswer(kDispOpenTask, VT_I2, 1);
        recorder_.SetAnswer(kDispOpenTaskEx, VT_I2, 1);
        recorder_.SetAnswer(kDispSetClientTitle, VT_EMPTY, 0);
    }

    static std::string Trail(const CProbeAppletDlg &d) {
        return std::to_string(d.GetTaskState()) + " " +
               std::to_string(d.GetPendingNotifications()) + " " +
               (d.HoldsHost() ? "held" : "free");
    }

    // Runs `script` on a dialog of `progId`; answers every box with OK, the
    // exit question of ExitNo with No.
    void Run(const std::string &progId, const std::vector<Act> &script) {
        CProbeAppletDlg dialog(&top_, progId);
        MainWindowScope main(&dialog);
        for (Act act : script) {
            dialog.steps.push_back([this, act](CProbeAppletDlg &d) {
                MessageBoxAnswerer answerer(act == Act::ExitNo ? IDNO : IDOK);
                Do(d, act);
                if (answerer.boxes > 0 && IsMessageText(answerer.text))
                    lastMessage_ = answerer.text;
                trail_.push_back(Trail(d));
                window_ = d.GetSafeHwnd();
            });
        }
        result_ = dialog.DoModal();
    }

    static void Do(CProbeAppletDlg &d, Act act) {
        switch (act) {
        case Act::Launch:
            d.SendMessage(WM_COMMAND, ID_TRAY_START, 0);
            break;
        case Act::Download:
            d.SendMessage(WM_COMMAND, ID_TRAY_DOWNLOAD, 0);
            break;
        case Act::Close:
            d.SendMessage(WM_COMMAND, ID_TRAY_CLOSE, 0);
            break;
        case Act::Options:
            d.SendMessage(WM_COMMAND, ID_TRAY_OPTIONS, 0);  // answered with OK
            break;
        case Act::ExitNo:
            d.SendMessage(WM_COMMAND, ID_TRAY_EXIT, 0);  // answered with No
            break;
        case Act::Notify0:
        case Act::Notify1: {
            // As the host posts it: through the queue to the notify window,
            // taken from there as the applet's loop takes it.
            const UINT message = d.GetNotifyMessage();
            ::PostMessageA(d.GetSafeHwnd(), message, act == Act::Notify1 ? 1 : 0, 0);
            MSG taken;
            while (::PeekMessageA(&taken, d.GetSafeHwnd(), message, message, PM_REMOVE))
                d.PreTranslateMessage(taken);
            break;
        }
        }
    }

    // The applet's own messages, not the notice or the Options dialog.
    static bool IsMessageText(const std::string &text) {
        for (UINT id : {IDS_HOST_CREATE_FAILED, IDS_HOST_CALL_FAILED, IDS_TASK_ALREADY_OPEN})
            if (text == MessageText(id))
                return true;
        return false;
    }
    static std::string MessageText(UINT id) {
        if (id == IDS_HOST_CREATE_FAILED)
            return fw::FormatResString(id, fw::LoadResString(IDS_HOST_NAME));
        return fw::LoadResString(id);
    }

    // `calls` with the main dialog's handle for "{hwnd}".
    std::vector<std::string> WithWindow(std::vector<std::string> calls) const {
        const std::string hwnd =
            std::to_string(static_cast<long>(reinterpret_cast<intptr_t>(window_)));
        for (std::string &line : calls) {
            const size_t at = line.find("{hwnd}");
            if (at != std::string::npos)
                line.replace(at, 6, hwnd);
        }
        return calls;
    }

    testsupport::RegistrySandbox sandbox_;
    fw::COleInit ole_;
    testsupport::RegisteredRecorder recorder_;
    CTestTopWnd top_;
    std::vector<std::string> trail_;
    std::string lastMessage_;
    HWND window_ = nullptr;
    INT_PTR result_ = 0;
};

// The recorder's log line of a call (flags 1: DISPATCH_METHOD).
std::string Call(DISPID id, const std::string &args = std::string()) {
    return std::to_string(id) + " 1" + (args.empty() ? "" : " " + args);
}

}  // namespace

TEST_P(HostClientTest, ScriptOfCommandsAndNotifications) {
    const HostCase &c = GetParam();
    AnswerAsAWillingHost();
    for (const auto &[id, value] : c.answers)
        recorder_.SetAnswer(id, id == kDispEndTask || id == kDispSetNotifyWindow ? VT_BOOL : VT_I2,
                            value);
    if (c.failOn.first != 0)
        recorder_.FailOn(c.failOn.first, c.failOn.second);

    Run(recorder_.ProgId(), c.script);

    EXPECT_EQ(trail_, c.trail);
    EXPECT_EQ(recorder_.Calls(), WithWindow(c.calls));
    EXPECT_EQ(lastMessage_, c.message ? MessageText(c.message) : std::string());
    EXPECT_EQ(result_, c.ended ? IDCANCEL : CProbeAppletDlg::kScriptDone);
    EXPECT_EQ(recorder_.LiveObjects(), 0) << "the dialog's end releases the object";
    EXPECT_EQ(NotifyCalls().back().action, static_cast<DWORD>(NIM_DELETE));
    // The launch's side channel is back at rest, whatever happened.
    EXPECT_EQ(settings::ReadRegDword("Sdk", "FromVesko", -1), c.script[0] == Act::Launch ? 0 : -1);
}

namespace {

const std::string kIntroduce = "I4:{hwnd}";
const std::string kTitle = "BSTR:Vesko";
const std::string kOpenArgs = "BOOL:0 BOOL:0 BOOL:-1";
const std::string kOpenExArgs = "BSTR(null) BOOL:0 BOOL:0 BOOL:-1";
constexpr long kOleFailure = RPC_E_DISCONNECTED;

std::vector<std::string> Connect() {
    return {Call(kDispSetNotifyWindow, kIntroduce), Call(kDispSetClientTitle, kTitle)};
}
std::vector<std::string> Plus(std::vector<std::string> a, const std::vector<std::string> &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
const std::vector<std::string> kLaunchCalls = Plus(Connect(), {Call(kDispOpenTask, kOpenArgs)});

}  // namespace

INSTANTIATE_TEST_SUITE_P(
    Host, HostClientTest,
    ::testing::Values(
        HostCase{"LaunchThenTheHostEndsItsTaskOnItsOwn",
                 {},
                 {},
                 {Act::Launch, Act::Notify0},
                 {"1 0 held", kNone},
                 Plus(kLaunchCalls, {Call(kDispEndTask)}),
                 0,
                 false},
        HostCase{"DownloadDuringAnOpenTaskSwallowsOneNotification",
                 {},
                 {},
                 {Act::Launch, Act::Download, Act::Notify0, Act::Notify0},
                 {"1 0 held", "2 1 held", "2 0 held", kNone},
                 Plus(kLaunchCalls, {Call(kDispEndTask), Call(kDispOpenTaskEx, kOpenExArgs),
                                     Call(kDispEndTask)}),
                 0,
                 false},
        HostCase{"NoToTheExitQuestionKeepsTheOpenTaskAndItsObject",
                 {},
                 {},
                 {Act::Launch, Act::ExitNo},
                 {"1 0 held", "1 0 held"},
                 kLaunchCalls,
                 0,
                 false},
        HostCase{"NotificationWithWParam1IsIgnored",
                 {},
                 {},
                 {Act::Launch, Act::Notify1},
                 {"1 0 held", "1 0 held"},
                 kLaunchCalls,
                 0,
                 false},
        HostCase{"DownloadWithoutTaskConnects",
                 {},
                 {},
                 {Act::Download, Act::Close},
                 {"2 0 held", kNone},
                 Plus(Connect(), {Call(kDispOpenTaskEx, kOpenExArgs), Call(kDispEndTask)}),
                 0,
                 false},
        HostCase{"LaunchWhileATaskIsOpenShows999",
                 {},
                 {},
                 {Act::Launch, Act::Launch},
                 {"1 0 held", "1 0 held"},
                 kLaunchCalls,
                 IDS_TASK_ALREADY_OPEN,
                 false},
        HostCase{"OpenTaskRefusedReleasesTheObject",
                 {{kDispOpenTask, 0}},
                 {},
                 {Act::Launch},
                 {kNone},
                 kLaunchCalls,
                 0,
                 false},
        HostCase{"OpenTaskExRefusedReleasesTheObject",
                 {{kDispOpenTaskEx, 2}},
                 {},
                 {Act::Launch, Act::Download},
                 {"1 0 held", kNone},
                 Plus(kLaunchCalls, {Call(kDispEndTask), Call(kDispOpenTaskEx, kOpenExArgs)}),
                 0,
                 false},
        HostCase{"EndTaskFalseKeepsTheTask",
                 {{kDispEndTask, 0}},
                 {},
                 {Act::Launch, Act::Download},
                 {"1 0 held", "1 0 held"},
                 Plus(kLaunchCalls, {Call(kDispEndTask)}),
                 0,
                 false},
        HostCase{"SetNotifyWindowFalseEndsTheAppletSilently",
                 {{kDispSetNotifyWindow, 0}},
                 {},
                 {Act::Launch},
                 {"0 0 held"},
                 {Call(kDispSetNotifyWindow, kIntroduce)},
                 0,
                 true},
        HostCase{"OptionsOkAppliesThemToTheOpenTask",
                 {},
                 {},
                 {Act::Launch, Act::Options},
                 {"1 0 held", "1 0 held"},
                 Plus(kLaunchCalls, {Call(kDispApplyOptions, "BOOL:-1")}),
                 0,
                 false},
        // An OLE failure in each guarded call: message 107, the applet ends.
        HostCase{"OleFailureOfSetNotifyWindow",
                 {},
                 {kDispSetNotifyWindow, kOleFailure},
                 {Act::Launch},
                 {"0 0 held"},
                 {Call(kDispSetNotifyWindow, kIntroduce)},
                 IDS_HOST_CALL_FAILED,
                 true},
        HostCase{"OleFailureOfSetClientTitle",
                 {},
                 {kDispSetClientTitle, kOleFailure},
                 {Act::Launch},
                 {"0 0 held"},
                 Connect(),
                 IDS_HOST_CALL_FAILED,
                 true},
        HostCase{"OleFailureOfOpenTask",
                 {},
                 {kDispOpenTask, kOleFailure},
                 {Act::Launch},
                 {"0 0 held"},
                 kLaunchCalls,
                 IDS_HOST_CALL_FAILED,
                 true},
        HostCase{"OleFailureOfOpenTaskEx",
                 {},
                 {kDispOpenTaskEx, DISP_E_TYPEMISMATCH},
                 {Act::Download},
                 {"0 0 held"},
                 Plus(Connect(), {Call(kDispOpenTaskEx, kOpenExArgs)}),
                 IDS_HOST_CALL_FAILED,
                 true},
        HostCase{"OleFailureOfEndTaskInTheDownloadCommand",
                 {},
                 {kDispEndTask, kOleFailure},
                 {Act::Launch, Act::Download},
                 {"1 0 held", "1 0 held"},
                 Plus(kLaunchCalls, {Call(kDispEndTask)}),
                 IDS_HOST_CALL_FAILED,
                 true},
        HostCase{"OleFailureOfEndTaskInCloseTask",
                 {},
                 {kDispEndTask, kOleFailure},
                 {Act::Launch, Act::Close},
                 {"1 0 held", "1 0 held"},
                 Plus(kLaunchCalls, {Call(kDispEndTask)}),
                 IDS_HOST_CALL_FAILED,
                 true},
        HostCase{"OleFailureOfApplyOptions",
                 {},
                 {kDispApplyOptions, kOleFailure},
                 {Act::Launch, Act::Options},
                 {"1 0 held", "1 0 held"},
                 Plus(kLaunchCalls, {Call(kDispApplyOptions, "BOOL:-1")}),
                 IDS_HOST_CALL_FAILED,
                 true}),
    [](const ::testing::TestParamInfo<HostCase> &info) { return std::string(info.param.name); });

TEST_F(HostClientTest, UnregisteredProgIdShows106AndEndsTheApplet) {
    Run("Vesko.Test.NoSuchHost", {Act::Launch});
    EXPECT_EQ(trail_, std::vector<std::string>{kNone});
    EXPECT_EQ(lastMessage_, MessageText(IDS_HOST_CREATE_FAILED));
    EXPECT_EQ(result_, IDCANCEL);
    ASSERT_FALSE(NotifyCalls().empty());
    EXPECT_EQ(NotifyCalls().back().action, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(settings::ReadRegDword("Sdk", "FromVesko", -1), 0);
    EXPECT_EQ(settings::ReadRegDword("Sdk", "VeskoLaunchApp", -1), 0);
}

TEST_F(HostClientTest, AutomationExceptionLeavesTheDialogWithTheLaunchUndone) {
    // The host's own error report is not an OLE failure: no message, it
    // leaves the dialog's loop (the applet's start-up ends the applet on it),
    // and the launch still puts its registry values back and the icon goes.
    AnswerAsAWillingHost();
    recorder_.FailOn(kDispOpenTask, DISP_E_EXCEPTION);
    settings::WriteRegString("Sdk", "PCCardDrive", std::string("E:"));
    EXPECT_THROW(Run(recorder_.ProgId(), {Act::Launch}), fw::CAutomationException);
    EXPECT_EQ(recorder_.Calls(), WithWindow(kLaunchCalls));
    EXPECT_EQ(lastMessage_, "");
    EXPECT_EQ(settings::ReadRegDword("Sdk", "FromVesko", -1), 0);
    EXPECT_EQ(settings::ReadRegDword("Sdk", "VeskoLaunchApp", -1), 0);
    EXPECT_EQ(settings::ReadRegString("Sdk", "PCCardDrive", "(deleted)"), "(deleted)");
    ASSERT_FALSE(NotifyCalls().empty());
    EXPECT_EQ(NotifyCalls().back().action, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(recorder_.LiveObjects(), 0);
}

namespace {

// Sdk\VeskoLaunchApp as each dialog of this thread goes: the notice dialog
// stands while the host object is created and introduced.
thread_local std::vector<int32_t> launchAppSeen;

LRESULT CALLBACK NoteLaunchAppOnDestroy(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND) {
        char name[16] = "";
        ::GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
        if (lstrcmpA(name, "#32770") == 0)
            launchAppSeen.push_back(settings::ReadRegDword("Sdk", "VeskoLaunchApp", 0));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST_F(HostClientTest, VeskoLaunchAppDuringTheHostCallsFollowsRunOption) {
    struct Case {
        const char *name;
        int32_t runOption;  // -1: absent
        int32_t launchApp;  // while the host is called
    };
    for (const Case &c : {Case{"absent", -1, 1}, Case{"0", 0, 1}, Case{"1", 1, 0}}) {
        SCOPED_TRACE(std::string("RunOption ") + c.name);
        recorder_.Clear();
        AnswerAsAWillingHost();
        settings::WriteRegDword("Sdk", "VeskoLaunchApp", 0);
        if (c.runOption < 0)
            settings::WriteRegString("Sdk", "RunOption", std::nullopt);
        else
            settings::WriteRegDword("Sdk", "RunOption", c.runOption);
        ASSERT_EQ(settings::ReadRegDword("Sdk", "RunOption", -1), c.runOption);
        launchAppSeen.clear();
        CProbeAppletDlg dialog(&top_, recorder_.ProgId());
        MainWindowScope main(&dialog);
        dialog.steps = {[this](CProbeAppletDlg &d) {
            window_ = d.GetSafeHwnd();
            HHOOK hook = ::SetWindowsHookExA(WH_CBT, NoteLaunchAppOnDestroy, nullptr,
                                             ::GetCurrentThreadId());
            d.SendMessage(WM_COMMAND, ID_TRAY_START, 0);
            ::UnhookWindowsHookEx(hook);
        }};
        EXPECT_EQ(dialog.DoModal(), CProbeAppletDlg::kScriptDone);
        EXPECT_EQ(recorder_.Calls(), WithWindow(kLaunchCalls));
        EXPECT_EQ(launchAppSeen, std::vector<int32_t>{c.launchApp}) << "the notice dialog went once";
        EXPECT_EQ(settings::ReadRegDword("Sdk", "VeskoLaunchApp", -1), 0) << "back at rest";
    }
}

namespace {

// The album dialog's name and location as it goes, and how many came.
struct AlbumSeen {
    int dialogs = 0;
    std::string name, location;
};
thread_local AlbumSeen albumSeen;

LRESULT CALLBACK NoteAlbumOnDestroy(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (HWND name = ::GetDlgItem(window, IDC_ALBUM_NAME)) {
            char text[MAX_PATH] = "";
            ++albumSeen.dialogs;
            ::GetWindowTextA(name, text, sizeof text);
            albumSeen.name = text;
            ::GetDlgItemTextA(window, IDC_ALBUM_LOCATION, text, sizeof text);
            albumSeen.location = text;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

// A launch of the camera-direct install, the Options dialog not asked for at
// the start: which stored values bring the album dialog, where it puts the
// album, and which task the host is left with.
TEST_F(HostClientTest, CameraDirectLaunchAsksForTheAlbumOnlyOnAStoredYes) {
    struct Case {
        const char *name;
        int32_t autoDownload;  // -1: absent
        const char *download;  // Install\Download; nullptr: absent
        bool albumAsked;
        const char *folder;  // the album dialog's location
        int taskState;
    };
    const Case cases[] = {
        // The autodownload flag is only what the Options dialog proposes.
        {"AutoDownload absent, autodownload flag on", -1, "C:\\albums", false, "", TaskOpen},
        {"Download absent: the bare date name", 1, nullptr, true, "", TaskDownload},
        {"Download stored", 1, "C:\\albums", true, "C:\\albums", TaskDownload},
    };
    struct FlagsBack {
        FeatureFlags saved = AppFeatureFlags();
        ~FlagsBack() { AppFeatureFlags() = saved; }
    } flagsBack;
    AppFeatureFlags().cameradirect = 1;
    AppFeatureFlags().autodownload = 1;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        recorder_.Clear();
        AnswerAsAWillingHost();
        settings::WriteRegDword("Sdk", "ShowStartup", 0);
        if (c.autoDownload < 0)
            settings::WriteRegString("Sdk", "AutoDownload", std::nullopt);
        else
            settings::WriteRegDword("Sdk", "AutoDownload", c.autoDownload);
        settings::WriteRegString("Sdk", "DownloadAlbum", std::nullopt);
        settings::WriteRegString("Install", "Download",
                                 c.download ? std::optional<std::string>(c.download)
                                            : std::nullopt);
        ASSERT_EQ(settings::ReadRegDword("Sdk", "AutoDownload", -1), c.autoDownload);
        ASSERT_EQ(settings::ReadRegString("Install", "Download", "(none)"),
                  c.download ? c.download : "(none)");
        albumSeen = {};
        int state = -1;
        CProbeAppletDlg dialog(&top_, recorder_.ProgId());
        MainWindowScope main(&dialog);
        dialog.steps = {[this, &state](CProbeAppletDlg &d) {
            window_ = d.GetSafeHwnd();
            HHOOK hook =
                ::SetWindowsHookExA(WH_CBT, NoteAlbumOnDestroy, nullptr, ::GetCurrentThreadId());
            {
                MessageBoxAnswerer answerer(IDOK);  // the album dialog, if it comes
                d.SendMessage(WM_COMMAND, ID_TRAY_START, 0);
            }
            ::UnhookWindowsHookEx(hook);
            state = d.GetTaskState();
        }};
        EXPECT_EQ(dialog.DoModal(), CProbeAppletDlg::kScriptDone);
        EXPECT_EQ(state, c.taskState);
        EXPECT_EQ(recorder_.Calls(), WithWindow(kLaunchCalls));
        EXPECT_EQ(albumSeen.dialogs, c.albumAsked ? 1 : 0);
        if (c.albumAsked) {
            EXPECT_EQ(albumSeen.name, GetDateAlbumName());
            EXPECT_EQ(albumSeen.location, fw::FormatResString(IDS_ALBUM_LOCATION, c.folder));
            EXPECT_EQ(settings::ReadRegString("Sdk", "DownloadAlbum", "(none)"),
                      GetDateAlbumName());
        } else {
            EXPECT_EQ(settings::ReadRegString("Sdk", "DownloadAlbum", "(none)"), "(none)");
        }
    }
}

TEST(NoticeDialog, SitsInTheBottomRightCorner40PixelsUp) {
    ASSERT_NE(testsupport::AppletResources(), nullptr);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    RECT rect = {};
    HWND window = nullptr;
    {
        CNoticeDlg notice;
        window = notice.GetSafeHwnd();
        ASSERT_NE(window, nullptr);
        ::GetWindowRect(window, &rect);
        EXPECT_TRUE(::IsWindowVisible(window));
        EXPECT_TRUE(::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(::GetWindow(window, GW_OWNER), nullptr);
        EXPECT_EQ(rect.right, screenWidth);
        EXPECT_EQ(rect.bottom, screenHeight - 40);
        RECT shot = {rect.left - 40, rect.top - 40, screenWidth, screenHeight};
        EXPECT_GT(testsupport::ShootScreen(
                      shot, testsupport::ScreenshotFolder("screenshots") + "\\notice_corner.png"),
                  2u);
    }
    EXPECT_FALSE(::IsWindow(window));
    const NoticePlace place = NoticePlaceOnScreen(1024, 768, 300, 80);
    EXPECT_EQ(place.x, 724);
    EXPECT_EQ(place.y, 648);
}
