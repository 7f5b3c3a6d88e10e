// Zephyne.exe started for real, as the host starts it: copied into a scratch
// folder beside the WEBPOST.DLL each case wants (none, one without WpPostA,
// the stand-in), with the settings in the prefix's own registry. Its modal
// dialogs are found from outside by their class and caption and closed with
// OK, as a script closes them.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "fake_script.h"
#include "framework/res_string.h"
#include "platform/registry_key.h"
#include "program_process.h"
#include "settings_store.h"
#include "wine_drive.h"
#include "zephyne_ids.h"

namespace zephyne_test {
namespace {

using testsupport::FakeScript;
using testsupport::ProgramFolder;
using testsupport::ProgramProcess;
using testsupport::WindowText;

constexpr DWORD kWaitMs = 15000;
constexpr char kMarkerClass[] = "MirelleZephyneClass";
constexpr char kProductKey[] = "Software\\Orvo\\Orvo Lumetto";

enum class Library { None, WithoutPost, StandIn };

std::string LibraryFile(Library library) {
    switch (library) {
    case Library::WithoutPost:
        return ProgramFolder() + "\\fake_webpost_nopost.dll";
    case Library::StandIn:
        return ProgramFolder() + "\\publish-fake\\WEBPOST.dll";
    default:
        return {};
    }
}

// The product key is the prefix's own: each test starts and ends without it.
void RemoveProductKey() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kProductKey);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kProductKey);
}

bool KeyExists(const std::string &path) {
    return static_cast<bool>(platform::RegistryKey::Open(HKEY_CURRENT_USER, path));
}

// The number of values under `path`; all bits set when the key is not there.
DWORD ValueCount(const std::string &path) {
    const platform::RegistryKey key = platform::RegistryKey::Open(HKEY_CURRENT_USER, path);
    return key ? key.ValueCount() : 0xFFFFFFFF;
}

class ZephyneProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch.Ready());
        ASSERT_EQ(::FindWindowA(kMarkerClass, nullptr), nullptr) << "a Zephyne runs already";
        testsupport::UseZephyneProductKey();
        RemoveProductKey();
    }
    void TearDown() override { RemoveProductKey(); }

    // Zephyne.exe in a folder of its own with the library asked for.
    std::string Install(const std::string &name, Library library) {
        std::string folder = scratch / name;
        EXPECT_TRUE(testsupport::MakeFolders(folder));
        std::string exe = folder + "\\Zephyne.exe";
        EXPECT_TRUE(::CopyFileA((ProgramFolder() + "\\Zephyne.exe").c_str(), exe.c_str(), FALSE));
        if (library != Library::None) {
            EXPECT_TRUE(::CopyFileA(LibraryFile(library).c_str(),
                                    (folder + "\\WEBPOST.DLL").c_str(), FALSE));
        }
        return exe;
    }

    testsupport::ScratchOnDrive scratch;
    FakeScript script;
};

// The library cannot be used: the Missing Component dialog, owned by the
// hidden marker window, with string 2 and the components link.
TEST_F(ZephyneProcessTest, UnusableLibraryShowsMissingComponentOwnedByTheMarker) {
    struct Case {
        const char *what;
        Library library;
        const char *calls;
    } cases[] = {
        {"no WEBPOST.DLL", Library::None, ""},
        {"no WpPostA", Library::WithoutPost, ""},
        {"WpPostA faults", Library::StandIn, "WpPostA;"},
    };
    for (const Case &c : cases) {
        FakeScript fresh;
        fresh.Number("PostFault", 1);
        ProgramProcess zephyne(Install(c.what, c.library), "");
        ASSERT_TRUE(zephyne.Started()) << c.what;
        HWND dialog = zephyne.WaitForMessageBox(kWaitMs);
        ASSERT_NE(dialog, nullptr) << c.what;
        EXPECT_EQ(WindowText(dialog), "Missing Component") << c.what;
        EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_MISSING_MESSAGE)),
                  fw::LoadResString(IDS_MISSING_COMPONENT))
            << c.what;
        EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_MISSING_LINK)),
                  "Software Components Web Page")
            << c.what;
        EXPECT_EQ(fresh.Calls(), c.calls) << c.what;
        // Owned by a window far off the screen, yet on the screen itself.
        RECT shown;
        ::GetWindowRect(dialog, &shown);
        EXPECT_GE(shown.left, 0) << c.what;
        EXPECT_GE(shown.top, 0) << c.what;

        HWND marker = zephyne.WaitForWindow(kMarkerClass, false, 0);
        ASSERT_NE(marker, nullptr) << c.what;
        EXPECT_EQ(::GetWindow(dialog, GW_OWNER), marker) << c.what;
        EXPECT_EQ(WindowText(marker), kMarkerClass);
        EXPECT_FALSE(::IsWindowVisible(marker));
        EXPECT_EQ(::GetWindowLongA(marker, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
        EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(marker, GWL_STYLE)) & WS_POPUP, WS_POPUP);
        RECT place;
        ::GetWindowRect(marker, &place);
        EXPECT_EQ(place.left, -500);
        EXPECT_EQ(place.top, -500);
        EXPECT_EQ(place.right - place.left, 0);

        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        DWORD code = 1;
        EXPECT_TRUE(zephyne.WaitForExit(kWaitMs, &code)) << c.what;
        EXPECT_EQ(code, 0u) << c.what;
        EXPECT_EQ(::FindWindowA(kMarkerClass, nullptr), nullptr) << c.what;
    }
}

TEST_F(ZephyneProcessTest, SecondCopyEndsSilentlyWithoutReadingAnything) {
    ProgramProcess first(Install("first", Library::None), "");
    ASSERT_TRUE(first.Started());
    HWND dialog = first.WaitForMessageBox(kWaitMs);
    ASSERT_NE(dialog, nullptr);
    RemoveProductKey();  // what the first copy's reads created

    ProgramProcess second(Install("second", Library::StandIn), "");
    ASSERT_TRUE(second.Started());
    EXPECT_TRUE(second.WaitForExit(kWaitMs));
    EXPECT_EQ(second.WaitForWindow("#32770", false, 0), nullptr);
    EXPECT_EQ(script.Calls(), "");
    EXPECT_FALSE(KeyExists(kProductKey));
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(::IsWindow(dialog));

    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(first.WaitForExit(kWaitMs));
}

// Arguments are ignored; with no settings at all the run passes empty texts
// and leaves the four keys behind without a value.
TEST_F(ZephyneProcessTest, ArgumentsAreIgnoredAndNoSettingsLeaveFourEmptyKeys) {
    std::string exe = Install("run", Library::StandIn);
    for (const char *arguments : {"", "-s", "/publish C:\\elsewhere", "--help extra words"}) {
        FakeScript fresh;
        RemoveProductKey();
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvo");  // only when empty
        ProgramProcess zephyne(exe, arguments);
        ASSERT_TRUE(zephyne.Started()) << arguments;
        EXPECT_TRUE(zephyne.WaitForExit(kWaitMs)) << arguments;
        EXPECT_EQ(fresh.Calls(), "WpPostA;") << arguments;
        EXPECT_EQ(fresh.RecordedText("SiteName"), "") << arguments;
        EXPECT_EQ(fresh.RecordedText("LocalDir"), "") << arguments;
        EXPECT_EQ(fresh.RecordedText("URL"), "") << arguments;
        EXPECT_EQ(fresh.RecordedNumber("Flags"), 0x000F0000u) << arguments;
        for (const char *key : {"Software\\Orvo", kProductKey})
            EXPECT_TRUE(KeyExists(key)) << key;
        EXPECT_EQ(ValueCount(std::string(kProductKey) + "\\Web"), 0u) << arguments;
        EXPECT_EQ(ValueCount(std::string(kProductKey) + "\\Web\\Publish"), 0u) << arguments;
    }
}

TEST_F(ZephyneProcessTest, SettingsFromTheRegistryReachTheLibrary) {
    settings::WriteRegString("Web\\Publish", "SiteName", std::string("Family"));
    settings::WriteRegString("Web\\Publish", "LocalDir", std::string("C:\\Pictures\\web"));
    settings::WriteRegString("Web\\Publish", "URL", std::string("http://127.0.0.1:9/dav"));
    settings::WriteRegDword("Web\\Publish", "ShowWizard", 0);
    script.Number("PostResult", 0x800704C7);  // cancelled: nothing is shown
    ProgramProcess zephyne(Install("run", Library::StandIn), "");
    ASSERT_TRUE(zephyne.Started());
    EXPECT_TRUE(zephyne.WaitForExit(kWaitMs));
    EXPECT_EQ(script.RecordedText("SiteName"), "Family");
    EXPECT_EQ(script.RecordedText("LocalDir"), "C:\\Pictures\\web");
    EXPECT_EQ(script.RecordedText("URL"), "http://127.0.0.1:9/dav");
    EXPECT_EQ(script.RecordedNumber("Flags"), 0x00000002u);
}

}  // namespace
}  // namespace zephyne_test
