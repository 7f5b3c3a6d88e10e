// The flags over their real layers: this program's own string resources, a
// real profile file in the Windows folder and the registry through the store.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/app.h"
#include "registry_sandbox.h"
#include "settings_store.h"
#include "tolvarc_ids.h"
#include "win32_feature_sources.h"

using namespace applet;

using namespace settings;
using testsupport::RegistrySandbox;

namespace vesko_test {
namespace {

namespace {
std::string WindowsFolder() {
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, MAX_PATH);
    return folder;
}

class FlagLayersTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sandbox_.Ready());
        previous_ = GetProductKeySource();
        SetProductKeySource({GetModuleHandleA(nullptr), IDS_PRODUCT_KEY});
        // A profile of this test's own, so that tests can run side by side.
        profile_ = "flagtest-" + std::to_string(GetCurrentProcessId()) + ".ini";
        DeleteFileA((WindowsFolder() + "\\" + profile_).c_str());
    }
    void TearDown() override {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, profile_.c_str());  // flush
        DeleteFileA((WindowsFolder() + "\\" + profile_).c_str());
        SetProductKeySource(previous_);
    }
    void SetProfile(const char *entry, const char *value) {
        ASSERT_TRUE(WritePrivateProfileStringA("Install", entry, value, profile_.c_str()));
    }
    FeatureFlags Load() const {
        Win32FeatureSources sources(GetModuleHandleA(nullptr), profile_);
        FeatureFlags flags;
        LoadFeatureDefaults(sources, flags);
        LoadFeatureFlags(sources, flags);
        return flags;
    }

    RegistrySandbox sandbox_;
    ProductKeySource previous_;
    std::string profile_;
};
}  // namespace

// The strings, from flag_test_strings.rc: autodownload "TRUE", audio "yes",
// cameradirect "true", cameraserial " true", toshibamode "tRuE", flashpath
// "true", cesync none.
TEST_F(FlagLayersTest, ResourceStringsAloneDecideTheDefaults) {
    const FeatureFlags f = Load();
    EXPECT_EQ(f.autodownload, 1);
    EXPECT_EQ(f.audio, 0);
    EXPECT_EQ(f.cameradirect, 1);
    EXPECT_EQ(f.cameraserial, 0);
    EXPECT_EQ(f.toshibamode, 1);
    EXPECT_EQ(f.flashpath, 1);
    EXPECT_EQ(f.cesync, 0);
}

TEST_F(FlagLayersTest, ProfileEntryZeroOrOneOverridesTheString) {
    SetProfile("964", "0");
    SetProfile("970", "1");
    SetProfile("930", "2");    // neither: the string decides
    SetProfile("991", "-1");   // the "no entry" answer: the string decides
    SetProfile("993", "abc");  // no number reads as 0, as the platform's profile reader has it
    const FeatureFlags f = Load();
    EXPECT_EQ(f.autodownload, 0);
    EXPECT_EQ(f.audio, 1);
    EXPECT_EQ(f.cameradirect, 1);
    EXPECT_EQ(f.flashpath, 1);
    EXPECT_EQ(f.toshibamode, 0);
}

TEST_F(FlagLayersTest, RegistryZeroOrOneOverridesEverythingOtherNumbersNothing) {
    SetProfile("930", "1");
    ASSERT_TRUE(WriteRegDword("Install", "cameradirect", 0));
    ASSERT_TRUE(WriteRegDword("Install", "twain", 1));
    ASSERT_TRUE(WriteRegDword("Install", "toshibamode", 2));
    ASSERT_TRUE(WriteRegDword("Install", "movie", -1));
    // A text "0" is the bytes '0', NUL: the number 0x30, not 0.
    ASSERT_TRUE(WriteRegString("Install", "flashpath", std::string("0")));
    const FeatureFlags f = Load();
    EXPECT_EQ(f.cameradirect, 0);
    EXPECT_EQ(f.twain, 1);
    EXPECT_EQ(f.toshibamode, 1);
    EXPECT_EQ(f.movie, 0);
    EXPECT_EQ(f.flashpath, 1);
    int32_t flag = 0;
    EXPECT_EQ(ReadFeatureFlag(Win32FeatureSources(nullptr, profile_), "flashpath", flag), 0x30);
}

TEST_F(FlagLayersTest, StartUpStepsSetTheProcessWideFlags) {
    ASSERT_TRUE(WriteRegDword("Install", "autodownload", 0));
    FeatureFlags &flags = AppFeatureFlags();
    const FeatureFlags saved = flags;
    flags = FeatureFlags();
    LoadFeatureDefaults(GetModuleHandleA(nullptr));
    const int32_t beforeOverrides = flags.autodownload;
    LoadFeatureFlags();
    const int32_t afterOverrides = flags.autodownload;
    flags = saved;
    EXPECT_EQ(beforeOverrides, 1);
    EXPECT_EQ(afterOverrides, 0);
}

// Without a file of its own the profile layer is the program's profile.
TEST(FlagProfileLayer, IsTheIniNamedAfterTheProgramInTheWindowsFolder) {
    EXPECT_EQ(fw::ProgramProfilePath(), WindowsFolder() + "\\feature_flags_win_tests.INI");
    const std::string section = "Probe-" + std::to_string(GetCurrentProcessId());
    const std::string path = WindowsFolder() + "\\feature_flags_win_tests.INI";
    ASSERT_TRUE(WritePrivateProfileStringA(section.c_str(), "autodownload", "1", path.c_str()));
    const Win32FeatureSources sources(nullptr);
    EXPECT_EQ(sources.ProfileInt(section, "autodownload", -1), 1);
    EXPECT_EQ(sources.ProfileInt(section, "cameradirect", -1), -1);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace vesko_test
