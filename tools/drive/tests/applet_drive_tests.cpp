// applet-drive.exe against the real Vesko.exe: each command run as the demo
// runs it, and what it must have done seen from here: its exit status, the
// applet's dialog that a chosen menu item or a volume arrival starts, the
// drive type of a card, the pictures it keeps.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <ostream>
#include <string>

#include "applet_windows.h"
#include "platform/registry_key.h"
#include "program_process.h"
#include "screen_shot.h"
#include "wine_drive.h"

namespace drive_test {
namespace {

constexpr DWORD kWaitMs = 20000;
const char kSdkKey[] = "Software\\Orvo\\Vesko\\Sdk";
const char kOptionsCaption[] = "Vesko Options";

std::string Driver() {
    return testsupport::ProgramFolder() + "\\applet-drive.exe";
}

// Runs applet-drive with `arguments`; its exit status, or -1 when it did not
// end within the wait.
int RunDriver(const std::string &arguments) {
    testsupport::ProgramProcess driver(Driver(), arguments);
    DWORD code = 0;
    if (!driver.Started() || !driver.WaitForExit(60000, &code))
        return -1;
    return int(code);
}

// The applet's visible dialog with this caption, waiting up to `ms`.
HWND WaitForDialog(const testsupport::ProgramProcess &applet, const std::string &caption,
                   DWORD ms) {
    for (DWORD waited = 0;; waited += 20) {
        HWND found = nullptr;
        for (HWND hwnd = ::GetTopWindow(nullptr); hwnd; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hwnd, &owner);
            if (owner == applet.Id() && ::IsWindowVisible(hwnd) &&
                testsupport::WindowText(hwnd) == caption)
                found = hwnd;
        }
        if (found || waited >= ms)
            return found;
        ::Sleep(20);
    }
}

bool FileExists(const std::string &path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A launch that shows the Options dialog first, so that a started launch is
// seen without a host: ShowStartup 1 (the cameradirect flag is on by the
// resource library's default). Removed again afterwards.
class LaunchAsks {
public:
    LaunchAsks() {
        key_ = platform::RegistryKey::Create(HKEY_CURRENT_USER, kSdkKey, KEY_READ | KEY_WRITE);
        key_.WriteDword("ShowStartup", 1);
    }
    ~LaunchAsks() {
        for (const char *name : {"ShowStartup", "FromVesko", "VeskoLaunchApp", "PCCardDrive"})
            key_.DeleteValue(name);
    }

private:
    platform::RegistryKey key_;
};

class AppletDrive : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(testsupport::FindAppletMarker(), nullptr) << "an applet from elsewhere runs";
        applet_ = std::make_unique<testsupport::ProgramProcess>(
            testsupport::ProgramFolder() + "\\Vesko.exe", "");
        ASSERT_TRUE(applet_->Started());
        ASSERT_EQ(RunDriver("running --wait 20"), 0) << "the applet was not found running";
    }
    void TearDown() override {
        // The tray menu's Exit, answered Yes, as a user ends the applet.
        if (applet_ && applet_->Running() && RunDriver("menu --key x") == 0) {
            if (HWND question = applet_->WaitForMessageBox(kWaitMs))
                ::PostMessageA(question, WM_COMMAND, IDYES, 0);
            applet_->WaitForExit(kWaitMs);
        }
    }

    // The Options dialog a launch shows, closed with Cancel (which ends the
    // launch); false when none came.
    bool LaunchStartedAndCancelled() {
        HWND options = WaitForDialog(*applet_, kOptionsCaption, kWaitMs);
        if (!options)
            return false;
        ::PostMessageA(options, WM_COMMAND, IDCANCEL, 0);
        for (DWORD waited = 0; ::IsWindow(options) && waited < kWaitMs; waited += 20)
            ::Sleep(20);
        return !::IsWindow(options);
    }

    LaunchAsks asks_;
    std::unique_ptr<testsupport::ProgramProcess> applet_;
};

struct CommandCase {
    const char *name;
    const char *arguments;
    int status;
};

void PrintTo(const CommandCase &c, std::ostream *out) {
    *out << c.name;
}

class AppletDriveCommand : public AppletDrive, public ::testing::WithParamInterface<CommandCase> {};

// Commands whose whole effect is their answer while the applet runs idle.
TEST_P(AppletDriveCommand, AnswersWithItsStatus) {
    const CommandCase &c = GetParam();
    EXPECT_EQ(RunDriver(c.arguments), c.status);
    EXPECT_TRUE(applet_->Running());
    EXPECT_EQ(WaitForDialog(*applet_, kOptionsCaption, 0), nullptr) << "a launch was started";
}

INSTANTIATE_TEST_SUITE_P(
    Idle, AppletDriveCommand,
    ::testing::Values(CommandCase{"RunningFindsTheApplet", "running --wait 0", 0},
                      CommandCase{"NoHostRunsSoReleasedAtOnce", "released --wait 0", 0},
                      CommandCase{"MenuClosedWithEscape", "menu", 0},
                      CommandCase{"ArrivalWithoutLetter", "arrival", 2},
                      CommandCase{"ArrivalOfNoLetter", "arrival 7", 2},
                      CommandCase{"KeyThatIsNoLetter", "menu --key 1", 2},
                      CommandCase{"UnknownCommand", "eject", 2}),
    [](const ::testing::TestParamInfo<CommandCase> &info) { return std::string(info.param.name); });

// The tray icon is found, and the menu's and the notification area's
// pictures are written with more than one colour in them.
TEST_F(AppletDrive, PicturesOfTheTrayIconAndMenu) {
    const std::string folder = testsupport::ScreenshotFolder("drive-screenshots");
    for (const char *name : {"tray-icon.png", "tray-menu.png"})
        ::DeleteFileA((folder + "\\" + name).c_str());
    EXPECT_EQ(RunDriver("tray --wait 10 --out \"" + folder + "\\tray-icon.png\""), 0);
    EXPECT_EQ(RunDriver("menu --out \"" + folder + "\\tray-menu.png\""), 0);
    EXPECT_TRUE(FileExists(folder + "\\tray-icon.png"));
    EXPECT_TRUE(FileExists(folder + "\\tray-menu.png"));
}

// The menu item chosen by its letter is the one the applet runs: O is Open
// Camera Window, whose launch starts with the Options dialog.
TEST_F(AppletDrive, MenuKeyChoosesTheItemOfThatLetter) {
    ASSERT_EQ(RunDriver("menu --key o"), 0);
    EXPECT_TRUE(LaunchStartedAndCancelled()) << "Open Camera Window was not chosen";
}

// A card made a removable drive and its volume arrival start the card's
// launch; the drive's type is the platform's own answer.
TEST_F(AppletDrive, CardAndItsArrivalStartTheLaunch) {
    const std::string card = "C:\\suite-drive-card";
    testsupport::RemoveTree(card);
    ASSERT_TRUE(testsupport::MakeFile(card + "\\DCIM\\100CARD\\PIC00001.JPG"));
    ASSERT_EQ(RunDriver("card E: " + card), 0);
    EXPECT_EQ(::GetDriveTypeA("E:\\"), UINT(DRIVE_REMOVABLE));
    EXPECT_TRUE(FileExists("E:\\DCIM\\100CARD\\PIC00001.JPG"));
    ASSERT_EQ(RunDriver("arrival E:"), 0);
    EXPECT_TRUE(LaunchStartedAndCancelled()) << "the arrival of E: did not start the card's launch";
    testsupport::RemoveTree(card);
}

// Without an applet every command that needs one says so.
TEST(AppletDriveAlone, CommandsThatNeedTheAppletFailWithoutIt) {
    ASSERT_EQ(testsupport::FindAppletMarker(), nullptr) << "an applet from elsewhere runs";
    for (const char *arguments : {"running --wait 0", "arrival E:", "menu", "tray --wait 0"}) {
        SCOPED_TRACE(arguments);
        EXPECT_EQ(RunDriver(arguments), 1);
    }
}

}  // namespace
}  // namespace drive_test
