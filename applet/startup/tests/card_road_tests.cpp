// The road of a camera card through the real Vesko.exe to the real stand-in
// host (HostStandIn.exe, started by COM): a card folder with DCIM linked as
// drive E:, a volume arrival sent to the hidden top window, the Options and
// album dialogs answered from here, and the host's calls in order with their
// arguments and the side-channel values it read during OpenTask; afterwards
// the values the applet must have put back. One case per way the launch
// ends: done, cancelled in either dialog, refused by the host, failed; and
// the flag that chooses the kind written, a second card while the first
// launch is still asking, and a card that is in before the applet starts.
#include <gtest/gtest.h>
#include <windows.h>

#include <dbt.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "applet_messages.h"
#include "applet_process.h"
#include "framework/res_string.h"
#include "host_control.h"
#include "prerequisite.h"
#include "screen_shot.h"
#include "settings_store.h"
#include "tolvarc_ids.h"
#include "wine_drive.h"

using namespace vesko_test;

namespace {

constexpr DWORD kWaitMs = 20000;

HMODULE Resources() {
    return AppletResources();
}

std::string Text(UINT id) {
    return fw::LoadResString(Resources(), id);
}

struct DialogQuery {
    DWORD process;
    const std::string &caption;
    std::vector<HWND> found;  // visible top-level windows with an OK button
};

BOOL CALLBACK MatchDialog(HWND hwnd, LPARAM data) {
    auto *q = reinterpret_cast<DialogQuery *>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner == q->process && ::IsWindowVisible(hwnd) && WindowText(hwnd) == q->caption &&
        ::GetDlgItem(hwnd, IDOK))
        q->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> VisibleDialogs(DWORD process, const std::string &caption) {
    DialogQuery query{process, caption, {}};
    ::EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

// A visible dialog of `process` with this caption (and an OK button, so the
// notice, which shares the applet's caption, is never taken for a message).
HWND WaitForDialog(DWORD process, const std::string &caption, DWORD ms = kWaitMs) {
    for (DWORD waited = 0;; waited += 20) {
        const std::vector<HWND> found = VisibleDialogs(process, caption);
        if (!found.empty() || waited >= ms)
            return found.empty() ? nullptr : found.front();
        ::Sleep(20);
    }
}

// A control's text in another process: asked with WM_GETTEXT.
std::string ControlText(HWND control) {
    char text[1024] = "";
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                          SMTO_NORMAL, 5000, &copied);
    return text;
}

// Waits until the applet has written `value` (or `ms` passed).
bool WaitForRegDword(const char *subkey, const char *name, int32_t value, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 20) {
        if (settings::ReadRegDword(subkey, name, -1) == value)
            return true;
        ::Sleep(20);
    }
    return false;
}

// Waits until the launch has put FromVesko back to 0.
bool WaitForLaunchEnd(DWORD ms) {
    return WaitForRegDword("Sdk", "FromVesko", 0, ms);
}

void Press(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

enum class Way {
    Done,
    OptionsCancelled,
    AlbumCancelled,
    OpenTaskRefused,
    NotifyRefused,
    HostMissing,
    HostException,
    ToshibaModeOff,
    SecondArrivalWhileAsking
};

struct RoadCase {
    const char *name;
    Way way;
    std::vector<std::string> methods;  // the host's calls in order
    UINT message;                      // the applet's message box (0: none)
    bool appletEnds;
};

// Test names already say which case runs; gtest would print the bytes.
void PrintTo(const RoadCase &c, std::ostream *out) {
    *out << c.name;
}

class CardFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(Resources(), nullptr);
        ASSERT_EQ(FindAppletMarker(), nullptr) << "an applet from elsewhere is running";
        REQUIRE_PREREQUISITE(host_.Ready(), "the stand-in host: " + host_.Problem());
        // The card: E: leads to a folder with DCIM and a numbered picture
        // folder, which the default card path and file (strings 956, 962)
        // recognise.
        card_ = "C:\\suite-test-card";
        testsupport::RemoveTree(card_);
        ASSERT_TRUE(testsupport::MakeFile(card_ + "\\DCIM\\100CARD\\PIC00001.JPG"));
        REQUIRE_PREREQUISITE(testsupport::LinkDriveLetter('E', card_), "drive E: for the card");
        albums_ = card_ + "-albums";
        testsupport::RemoveTree(albums_);
        ASSERT_TRUE(testsupport::MakeFolders(albums_));
    }
    void TearDown() override {
        testsupport::RemoveTree(card_);
        testsupport::RemoveTree(albums_);
    }

    static void SendCardArrival(HWND top) {
        DEV_BROADCAST_VOLUME volume = {};
        volume.dbcv_size = sizeof volume;
        volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
        volume.dbcv_unitmask = (1u << ('E' - 'A')) | (1u << ('G' - 'A'));  // E: counts
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutA(top, WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                              reinterpret_cast<LPARAM>(&volume), SMTO_NORMAL, 10000, &answer);
    }

    AppletSettings settings_;
    testsupport::HostStandIn host_;
    std::string card_;
    std::string albums_;
};

class CardRoadTest : public CardFixture, public ::testing::WithParamInterface<RoadCase> {};

}  // namespace

TEST_P(CardRoadTest, FromVolumeArrivalToTheHostsTask) {
    const RoadCase &c = GetParam();
    testsupport::HostAnswers answers;
    if (c.way == Way::OpenTaskRefused)
        answers.openTask = 0;
    if (c.way == Way::NotifyRefused)
        answers.setNotifyWindow = false;
    if (c.way == Way::HostException) {
        answers.exceptionMethod = 38;
        answers.exceptionSource = "Camera";
        answers.exceptionDescription = "The camera task cannot open now.";
    }
    host_.SetAnswers(answers);
    if (c.way == Way::HostMissing) {
        ASSERT_TRUE(testsupport::HostStandIn::Unregister());
    }

    // Options shown at the start, album asked for, the camera-only run, a
    // kind that the arrival rewrites, and a card drive the applet deletes.
    settings::WriteRegDword("Sdk", "ShowStartup", 1);
    settings::WriteRegDword("Sdk", "AutoDownload", 1);
    settings::WriteRegDword("Connect", "ConnectVia", 2);
    settings::WriteRegString("Install", "Download", albums_);
    settings::WriteRegString("Sdk", "PCCardDrive", std::string("E:"));
    if (c.way == Way::ToshibaModeOff)
        settings::WriteRegDword("Install", "toshibamode", 0);

    AppletProcess applet(ProgramFolder() + "\\Vesko.exe", "");
    ASSERT_TRUE(applet.Started());
    ASSERT_NE(applet.WaitForMainDialog(kWaitMs), nullptr);
    HWND top = FindAppletMarker();
    ASSERT_NE(top, nullptr);
    SendCardArrival(top);

    // The Options dialog: OK keeps the values above (AutoDownload 1, RunOption
    // shown as 1 when absent: OK writes that camera-only choice).
    HWND options = WaitForDialog(applet.Id(), "Vesko Options");
    ASSERT_NE(options, nullptr) << "no Options dialog after the arrival";
    EXPECT_EQ(settings::ReadRegDword("Sdk", "FromVesko", -1), 1);
    EXPECT_EQ(settings::ReadRegDword("Connect", "ConnectVia", -1),
              c.way == Way::ToshibaModeOff ? 1 : 3)
        << "the kind follows the flag toshibamode";
    if (c.way == Way::SecondArrivalWhileAsking) {
        // The kind is written again from what was read at start-up, but the
        // launch that is asking turns the second start away: no second
        // Options dialog, and the host is called once (the methods below).
        settings::WriteRegDword("Connect", "ConnectVia", 2);
        SendCardArrival(top);
        // The arrival reaches the main dialog as a posted message.
        EXPECT_TRUE(WaitForRegDword("Connect", "ConnectVia", 3, kWaitMs));
        ::Sleep(1000);  // time for a second dialog that should not come
        EXPECT_EQ(VisibleDialogs(applet.Id(), "Vesko Options").size(), 1u);
    }
    // Full application (radio 0) keeps RunOption 0, so VeskoLaunchApp is set.
    ::SendMessageA(::GetDlgItem(options, IDC_RUN_FULL_APP), BM_CLICK, 0, 0);
    Press(options, c.way == Way::OptionsCancelled ? IDCANCEL : IDOK);

    std::string albumName;
    if (c.way != Way::OptionsCancelled) {
        HWND album = WaitForDialog(applet.Id(), "Download Album");
        ASSERT_NE(album, nullptr) << "no album dialog";
        albumName = ControlText(::GetDlgItem(album, IDC_ALBUM_NAME));
        EXPECT_FALSE(albumName.empty());
        EXPECT_EQ(ControlText(::GetDlgItem(album, IDC_ALBUM_LOCATION)),
                  fw::SubstituteArg(Text(IDS_ALBUM_LOCATION), albums_));
        Press(album, c.way == Way::AlbumCancelled ? IDCANCEL : IDOK);
    }

    if (c.message) {
        HWND box = WaitForDialog(applet.Id(), Text(IDS_APP_TITLE));
        ASSERT_NE(box, nullptr) << "no message box";
        const std::string expected = c.message == IDS_HOST_CREATE_FAILED
                                         ? fw::SubstituteArg(Text(c.message), Text(IDS_HOST_NAME))
                                         : Text(c.message);
        EXPECT_EQ(MessageBoxText(box), expected);
        Press(box, IDOK);
    }

    // Where the task opens, the host ends it on its own (the last call).
    if (!c.methods.empty() && c.methods.back() == "EndTask") {
        for (DWORD waited = 0; !testsupport::HostStandIn::TaskWindow() && waited < kWaitMs;
             waited += 20)
            ::Sleep(20);
        ASSERT_NE(testsupport::HostStandIn::TaskWindow(), nullptr) << "the task did not open";
        // The host ends its task on its own: the applet ends it and lets go.
        ASSERT_TRUE(testsupport::HostStandIn::ClickEndTask());
    }

    EXPECT_TRUE(WaitForLaunchEnd(kWaitMs)) << "the launch did not end";
    DWORD code = 0;
    if (c.appletEnds) {
        ASSERT_TRUE(applet.WaitForExit(kWaitMs, &code)) << "the applet did not end";
        EXPECT_EQ(FindAppletMarker(), nullptr);
    }
    EXPECT_TRUE(host_.WaitForServersToExit(kWaitMs)) << "the host object was not released";

    const std::vector<testsupport::HostCall> calls = host_.Calls();
    std::vector<std::string> methods;
    for (const auto &call : calls)
        methods.push_back(call.method);
    EXPECT_EQ(methods, c.methods);
    for (const auto &call : calls) {
        SCOPED_TRACE(testsupport::DescribeCall(call));
        if (call.method == "SetClientTitle") {
            EXPECT_EQ(call.args, std::vector<std::string>{"BSTR:" + Text(IDS_APP_TITLE)});
        }
        if (call.method == "SetNotifyWindow") {
            EXPECT_EQ(call.args.size(), 1u);
        }
        if (call.method == "OpenTask") {
            EXPECT_EQ(call.args, (std::vector<std::string>{"BOOL:0", "BOOL:0", "BOOL:-1"}));
            ASSERT_TRUE(call.sideChannel.has_value());
            EXPECT_EQ(call.sideChannel->fromVesko, std::optional<long>(1));
            EXPECT_EQ(call.sideChannel->veskoLaunchApp, std::optional<long>(1));
            EXPECT_EQ(call.sideChannel->pcCardDrive, std::optional<std::string>("E:"));
        }
    }

    // Put back on every way: the host reads nothing stale later.
    EXPECT_EQ(settings::ReadRegDword("Sdk", "FromVesko", -1), 0);
    EXPECT_EQ(settings::ReadRegDword("Sdk", "VeskoLaunchApp", -1), 0);
    EXPECT_EQ(settings::ReadRegString("Sdk", "PCCardDrive", "(deleted)"), "(deleted)");
    EXPECT_EQ(settings::ReadRegString("Sdk", "DownloadAlbum", "(none)"),
              c.way == Way::OptionsCancelled || c.way == Way::AlbumCancelled ? "(none)"
                                                                             : albumName);
    if (c.way == Way::HostException) {
        EXPECT_EQ(code, 3u) << "ended in order by the applet, not torn down";
    }

    if (!c.appletEnds) {
        EXPECT_TRUE(applet.Running());
        EXPECT_TRUE(ExitThroughTrayMenu(applet));
    }
    if (c.way == Way::HostMissing)
        testsupport::HostStandIn::Register();
}

INSTANTIATE_TEST_SUITE_P(
    Road, CardRoadTest,
    ::testing::Values(
        RoadCase{"Done",
                 Way::Done,
                 {"SetNotifyWindow", "SetClientTitle", "OpenTask", "EndTask"},
                 0,
                 false},
        RoadCase{"OptionsCancelled", Way::OptionsCancelled, {}, 0, false},
        RoadCase{"AlbumCancelled", Way::AlbumCancelled, {}, 0, false},
        RoadCase{"OpenTaskRefused",
                 Way::OpenTaskRefused,
                 {"SetNotifyWindow", "SetClientTitle", "OpenTask"},
                 0,
                 false},
        RoadCase{"SetNotifyWindowRefused", Way::NotifyRefused, {"SetNotifyWindow"}, 0, true},
        RoadCase{"HostNotRegistered", Way::HostMissing, {}, IDS_HOST_CREATE_FAILED, true},
        RoadCase{"HostRaisesAnAutomationException",
                 Way::HostException,
                 {"SetNotifyWindow", "SetClientTitle", "OpenTask"},
                 IDS_HOST_CALL_FAILED,
                 true},
        RoadCase{"ToshibaModeOffWritesKindOne",
                 Way::ToshibaModeOff,
                 {"SetNotifyWindow", "SetClientTitle", "OpenTask", "EndTask"},
                 0,
                 false},
        RoadCase{"SecondArrivalWhileAskingIsTurnedAway",
                 Way::SecondArrivalWhileAsking,
                 {"SetNotifyWindow", "SetClientTitle", "OpenTask", "EndTask"},
                 0,
                 false}),
    [](const ::testing::TestParamInfo<RoadCase> &info) { return std::string(info.param.name); });

// Only arrivals are watched: a card that is in its drive before the applet
// starts starts nothing, and nothing is written for the host.
TEST_F(CardFixture, CardPresentAtStartUpIsNotNoticed) {
    settings::WriteRegDword("Sdk", "ShowStartup", 1);
    settings::WriteRegDword("Connect", "ConnectVia", 2);
    AppletProcess applet(ProgramFolder() + "\\Vesko.exe", "");
    ASSERT_TRUE(applet.Started());
    ASSERT_NE(applet.WaitForMainDialog(kWaitMs), nullptr);
    ::Sleep(3000);  // time for a launch that should not come
    EXPECT_TRUE(VisibleDialogs(applet.Id(), "Vesko Options").empty());
    EXPECT_EQ(settings::ReadRegDword("Sdk", "FromVesko", -1), -1);
    EXPECT_EQ(settings::ReadRegDword("Connect", "ConnectVia", -1), 2);
    EXPECT_TRUE(host_.Calls().empty());
    EXPECT_TRUE(ExitThroughTrayMenu(applet));
}
