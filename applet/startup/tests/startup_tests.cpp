// Vesko.exe started for real, as the user or the system starts it: without
// its resource library, with and without "-s", a second time while it runs,
// and again after it was ended through its tray menu.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "applet_messages.h"
#include "applet_process.h"
#include "framework/res_string.h"
#include "settings_store.h"
#include "tolvarc_ids.h"

using namespace vesko_test;
using applet::kAppletClassName;

namespace {

constexpr DWORD kStartMs = 15000;

std::string AppletExe() {
    return ProgramFolder() + "\\Vesko.exe";
}

// EnableVeskoInTaskbar as this test wants it, and gone again afterwards. The
// applet runs as another process, so its settings are the prefix's own.
class TaskbarSetting {
public:
    explicit TaskbarSetting(std::optional<int32_t> value) {
        AppletResources();
        Remove();
        if (value)
            settings::WriteRegDword("Sdk", kName, *value);
    }
    ~TaskbarSetting() { Remove(); }

private:
    static constexpr char kName[] = "EnableVeskoInTaskbar";
    static void Remove() { settings::WriteRegString("Sdk", kName, std::nullopt); }
};

class AppletStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindAppletMarker(), nullptr) << "an applet from elsewhere is running";
    }
};

struct SwitchCase {
    const char *arguments;
    std::optional<int32_t> taskbarSetting;
    bool runs;
};

void PrintTo(const SwitchCase &c, std::ostream *out) {
    *out << "\"" << c.arguments << "\" with EnableVeskoInTaskbar "
         << (c.taskbarSetting ? std::to_string(*c.taskbarSetting) : "absent");
}

class AppletSwitchTest : public AppletStartTest,
                         public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(AppletSwitchTest, RunsOrEndsSilentlyBeforeAnyWindow) {
    const SwitchCase &c = GetParam();
    TaskbarSetting setting(c.taskbarSetting);
    AppletProcess applet(AppletExe(), c.arguments);
    ASSERT_TRUE(applet.Started());
    if (c.runs) {
        EXPECT_NE(applet.WaitForWindow(kAppletClassName, false, kStartMs), nullptr);
        EXPECT_TRUE(ExitThroughTrayMenu(applet));
    } else {
        DWORD code = 1;
        EXPECT_TRUE(applet.WaitForExit(kStartMs, &code));
        EXPECT_EQ(code, 0u);
        EXPECT_EQ(FindAppletMarker(), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Switch, AppletSwitchTest,
                         ::testing::Values(SwitchCase{"-s", std::nullopt, false},
                                           SwitchCase{"-s", 0u, false}, SwitchCase{"-s", 1u, true},
                                           SwitchCase{"-silent", std::nullopt, false},
                                           SwitchCase{"-silent", 1u, true},
                                           SwitchCase{"-S", std::nullopt, true},
                                           SwitchCase{"-S", 0u, true}, SwitchCase{"", 0u, true},
                                           SwitchCase{"s", std::nullopt, true}));

TEST_F(AppletStartTest, WithoutItsResourceLibraryItSaysSoAndEnds) {
    // A copy of the program in a folder of its own, without Tolvarc.dll.
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "vesko-alone-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string exe = folder + "\\Vesko.exe";
    ASSERT_TRUE(::CopyFileA(AppletExe().c_str(), exe.c_str(), FALSE));
    {
        AppletProcess applet(exe, "");
        ASSERT_TRUE(applet.Started());
        HWND box = applet.WaitForMessageBox(kStartMs);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box), "Cannot load resource DLL (Tolvarc.dll)");
        EXPECT_EQ(WindowText(box), "Vesko") << "the program's name before any title is loaded";
        EXPECT_EQ(FindAppletMarker(), nullptr) << "no window before the library";
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(applet.WaitForExit(kStartMs));
    }
    ::DeleteFileA(exe.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

TEST_F(AppletStartTest, SecondStartEndsSilentlyAndTheFirstKeepsRunning) {
    AppletProcess first(AppletExe(), "");
    ASSERT_TRUE(first.Started());
    HWND marker = first.WaitForWindow(kAppletClassName, false, kStartMs);
    ASSERT_NE(marker, nullptr);

    AppletProcess second(AppletExe(), "");
    ASSERT_TRUE(second.Started());
    DWORD code = 1;
    EXPECT_TRUE(second.WaitForExit(kStartMs, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(second.WaitForWindow("#32770", true, 0), nullptr) << "the second copy said something";

    EXPECT_TRUE(first.Running());
    EXPECT_EQ(FindAppletMarker(), marker);
    EXPECT_TRUE(ExitThroughTrayMenu(first));
}

TEST_F(AppletStartTest, ExitQuestionCarriesTheTitleAndNoKeepsTheApplet) {
    AppletProcess applet(AppletExe(), "");
    ASSERT_TRUE(applet.Started());
    HWND marker = applet.WaitForWindow(kAppletClassName, false, kStartMs);
    ASSERT_NE(marker, nullptr);
    const std::string title = fw::LoadResString(AppletResources(), IDS_APP_TITLE);
    const std::string question =
        fw::SubstituteArg(fw::LoadResString(AppletResources(), IDS_EXIT_QUESTION), title);

    // Answered No: nothing changes.
    HWND dialog = applet.WaitForMainDialog(kStartMs);
    ASSERT_NE(dialog, nullptr);
    ::PostMessageA(dialog, WM_COMMAND, ID_TRAY_EXIT, 0);
    HWND box = applet.WaitForMessageBox(kStartMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), title);
    EXPECT_EQ(MessageBoxText(box), question);
    ::PostMessageA(box, WM_COMMAND, IDNO, 0);
    EXPECT_FALSE(applet.WaitForExit(1000));
    EXPECT_EQ(FindAppletMarker(), marker);

    // Answered Yes: the applet ends, and a new start runs again.
    EXPECT_TRUE(ExitThroughTrayMenu(applet));
    EXPECT_EQ(FindAppletMarker(), nullptr);
    AppletProcess again(AppletExe(), "");
    EXPECT_NE(again.WaitForWindow(kAppletClassName, false, kStartMs), nullptr);
    EXPECT_TRUE(ExitThroughTrayMenu(again));
}

}  // namespace
