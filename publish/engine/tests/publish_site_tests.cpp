// The publish run in-process against the stand-in WEBPOST.DLL, which sits
// beside this program and is loaded by name as Zephyne loads it: what
// WpPostA and WpGetErrorStringA receive, in which order the settings are
// read, and which outcome each answer leads to. Every test has a private
// registry; dialogs and message boxes are closed with OK as they open.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "fake_script.h"
#include "framework/app.h"
#include "message_box_answerer.h"
#include "publish_site.h"
#include "registry_sandbox.h"
#include "settings_store.h"
#include "webpost_entries.h"

namespace zephyne_test {
namespace {

using namespace zephyne;
using testsupport::FakeScript;

const std::string kProductPath = "Software\\Orvo\\Orvo Lumetto";
const std::string kPublishPath = kProductPath + "\\Web\\Publish";

// Whether the library was in the process before any test ran.
bool loadedAtStart = true;
class LoadWatch : public ::testing::Environment {
    void SetUp() override { loadedAtStart = WebPostLoaded(); }
};
const auto *loadWatch = ::testing::AddGlobalTestEnvironment(new LoadWatch);

class PublishRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sandbox.Ready());
        ASSERT_TRUE(answerer.Installed());
        testsupport::UseZephyneProductKey();
    }
    void Plant(const char *name, const std::string &text) {
        ASSERT_TRUE(sandbox.SetRaw(kPublishPath, name, REG_SZ, text + '\0'));
    }
    void PlantRaw(const char *name, DWORD type, const std::string &bytes) {
        ASSERT_TRUE(sandbox.SetRaw(kPublishPath, name, type, bytes));
    }
    void PlantAll(int32_t showWizard) {
        Plant("SiteName", "Gallery");
        Plant("LocalDir", "C:\\Album\\web");
        Plant("URL", "http://127.0.0.1/dav/gallery");
        PlantRaw("ShowWizard", REG_DWORD, std::string(reinterpret_cast<char *>(&showWizard), 4));
        Plant("HomePage", "http://127.0.0.1/dav/gallery/index.htm");
    }

    testsupport::RegistrySandbox sandbox;
    FakeScript script;  // inside the sandbox
    testsupport::MessageBoxAnswerer answerer{IDOK};
};

TEST_F(PublishRunTest, AllSettingsWithoutWizardPassTheContractAndShowSaveCompleted) {
    PlantAll(0);
    PublishSite();

    EXPECT_EQ(script.Calls(), "WpPostA;");
    EXPECT_EQ(script.RecordedNumber("Owner"), 0u);
    EXPECT_EQ(script.RecordedNumber("PathCount"), 1u);
    EXPECT_EQ(script.RecordedText("LocalDir"), "C:\\Album\\web");
    EXPECT_EQ(script.RecordedText("SiteName"), "Gallery");
    EXPECT_EQ(script.RecordedText("URL"), "http://127.0.0.1/dav/gallery");
    EXPECT_EQ(script.RecordedNumber("SiteNameLength"), 260u);
    EXPECT_EQ(script.RecordedNumber("URLLength"), 260u);
    EXPECT_EQ(script.RecordedNumber("Flags"), 0x00000002u);
    EXPECT_EQ(answerer.boxes, 1);
    EXPECT_EQ(answerer.caption, "Save Completed");
}

// The flag word from ShowWizard as the registry holds it.
TEST_F(PublishRunTest, FlagWordFollowsShowWizardWhateverItsType) {
    struct Case {
        const char *what;
        std::optional<std::pair<DWORD, std::string>> value;
        DWORD flags;
    } cases[] = {
        {"missing", std::nullopt, 0x000F0000},
        {"DWORD 0", std::make_pair(DWORD(REG_DWORD), std::string("\0\0\0\0", 4)), 0x00000002},
        {"DWORD 1", std::make_pair(DWORD(REG_DWORD), std::string("\1\0\0\0", 4)), 0x000F0000},
        {"binary 4 bytes of 0", std::make_pair(DWORD(REG_BINARY), std::string(4, '\0')), 2},
        {"text of two zero bytes (zero-filled)",
         std::make_pair(DWORD(REG_SZ), std::string("\0\0", 2)), 0x00000002},
        {"text 'none' (5 bytes: too long, default)",
         std::make_pair(DWORD(REG_SZ), std::string("none\0", 5)), 0x000F0000},
    };
    for (const Case &c : cases) {
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kPublishPath.c_str(), "ShowWizard");
        if (c.value)
            PlantRaw("ShowWizard", c.value->first, c.value->second);
        PublishSite();
        EXPECT_EQ(script.RecordedNumber("Flags"), c.flags) << c.what;
    }
    EXPECT_EQ(answerer.boxes, 0);  // no home page: nothing shown
}

TEST_F(PublishRunTest, NoSettingsPassEmptyTextsAndLeaveOnlyEmptyKeys) {
    PublishSite();
    EXPECT_EQ(script.RecordedText("SiteName"), "");
    EXPECT_EQ(script.RecordedText("LocalDir"), "");
    EXPECT_EQ(script.RecordedText("URL"), "");
    EXPECT_EQ(script.RecordedNumber("Flags"), 0x000F0000u);
    EXPECT_EQ(answerer.boxes, 0);
    EXPECT_EQ(sandbox.SubkeyNames("Software\\Orvo"), std::vector<std::string>{"Orvo Lumetto"});
    EXPECT_EQ(sandbox.SubkeyNames(kProductPath), std::vector<std::string>{"Web"});
    EXPECT_EQ(sandbox.SubkeyNames(kProductPath + "\\Web"), std::vector<std::string>{"Publish"});
    EXPECT_EQ(sandbox.ValueCount(kPublishPath), 0u);
    EXPECT_EQ(sandbox.ValueCount(kProductPath + "\\Web"), 0u);
}

TEST_F(PublishRunTest, TextsAreReadUpToTheirFirstNulWhateverTheirTypeAndPassedWhole) {
    const std::string longSite(400, 's');
    Plant("SiteName", longSite);
    PlantRaw("LocalDir", REG_BINARY, std::string("C:\\pages\0junk", 13));
    PlantRaw("URL", REG_EXPAND_SZ, std::string("http://h/%x%\0", 13));
    PublishSite();
    EXPECT_EQ(script.RecordedText("SiteName"), longSite);
    EXPECT_EQ(script.RecordedNumber("SiteNameLength"), 260u);
    EXPECT_EQ(script.RecordedText("LocalDir"), "C:\\pages");
    EXPECT_EQ(script.RecordedText("URL"), "http://h/%x%");
}

TEST_F(PublishRunTest, WhatTheLibraryWritesBackIsNotStored) {
    PlantAll(1);
    script.Text("PostSite", "Elsewhere");
    script.Text("PostURL", "http://elsewhere/");
    PublishSite();
    std::string before = script.RecordedText("SiteName").value_or("?");
    PublishSite();
    EXPECT_EQ(script.Calls(), "WpPostA;WpPostA;");
    EXPECT_EQ(before, "Gallery");
    EXPECT_EQ(script.RecordedText("SiteName"), "Gallery");
    EXPECT_EQ(script.RecordedText("URL"), "http://127.0.0.1/dav/gallery");
    EXPECT_EQ(sandbox.ValueCount(kPublishPath), 5u);
}

// Each answer of the library and what the user is shown for it.
TEST_F(PublishRunTest, OutcomeOfEachAnswer) {
    struct Case {
        const char *what;
        std::vector<std::pair<const char *, DWORD>> numbers;
        std::vector<std::pair<const char *, std::string>> texts;
        const char *calls;
        int boxes;
        std::string caption, text;
    } cases[] = {
        {"cancelled", {{"PostResult", 0x800704C7}}, {}, "WpPostA;", 0, "", ""},
        {"failed, with text",
         {{"PostResult", 0x80004005}},
         {{"ErrorText", "The server refused the pages."}},
         "WpPostA;WpGetErrorStringA;",
         1,
         fw::CApp::Current()->GetAppName(),
         "The server refused the pages."},
        {"failed, no text",
         {{"PostResult", 0x80004005}},
         {},
         "WpPostA;WpGetErrorStringA;",
         0,
         "",
         ""},
        {"failed, the text entry fails without text",
         {{"PostResult", 0x80004005}, {"ErrorResult", 1}},
         {},
         "WpPostA;WpGetErrorStringA;",
         0,
         "",
         ""},
        {"failed, the text entry fails but leaves a text",
         {{"PostResult", 0x80004005}, {"ErrorResult", 1}},
         {{"ErrorText", "Half a sentence"}},
         "WpPostA;WpGetErrorStringA;",
         1,
         fw::CApp::Current()->GetAppName(),
         "Half a sentence"},
        {"failed, the text entry faults",
         {{"PostResult", 0x80004005}, {"ErrorFault", 1}},
         {{"ErrorText", "never"}},
         "WpPostA;WpGetErrorStringA;",
         0,
         "",
         ""},
        {"WpPostA faults", {{"PostFault", 1}}, {}, "WpPostA;", 1, "Missing Component", ""},
    };
    PlantAll(1);
    for (const Case &c : cases) {
        FakeScript fresh;
        for (const auto &[name, value] : c.numbers)
            fresh.Number(name, value);
        for (const auto &[name, text] : c.texts)
            fresh.Text(name, text);
        answerer.boxes = 0;
        answerer.caption.clear();
        answerer.text.clear();
        PublishSite();
        EXPECT_EQ(fresh.Calls(), c.calls) << c.what;
        EXPECT_EQ(answerer.boxes, c.boxes) << c.what;
        EXPECT_EQ(answerer.caption, c.caption) << c.what;
        if (!c.text.empty()) {
            EXPECT_EQ(answerer.text, c.text) << c.what;
        }
        if (std::string(c.calls).find("WpGetErrorStringA") != std::string::npos) {
            EXPECT_EQ(fresh.RecordedNumber("ErrorCode"), 0x80004005u) << c.what;
            EXPECT_EQ(fresh.RecordedNumber("ErrorLengthIn"), 2048u) << c.what;
        }
    }
}

TEST_F(PublishRunTest, SettingsAreReadInContractOrderUnderWebPublish) {
    std::vector<std::string> reads;
    SettingsSource recorder{
        [&](const std::string &subkey, const std::string &name, const std::string &def) {
            reads.push_back(subkey + "|" + name + "|text|" + def);
            return std::string();
        },
        [&](const std::string &subkey, const std::string &name, int32_t def) {
            reads.push_back(subkey + "|" + name + "|number|" + std::to_string(def));
            return def;
        }};
    PublishSite(recorder);
    EXPECT_EQ(reads, (std::vector<std::string>{
                         "Web\\Publish|SiteName|text|", "Web\\Publish|LocalDir|text|",
                         "Web\\Publish|URL|text|", "Web\\Publish|ShowWizard|number|1",
                         "Web\\Publish|HomePage|text|"}));
}

TEST_F(PublishRunTest, ErrorTextIsTerminatedWhateverTheLibraryWritesOrReports) {
    struct Case {
        const char *what;
        std::vector<std::pair<const char *, DWORD>> numbers;
        const char *text;
        std::string expected;
    } cases[] = {
        {"fills all 2048 bytes", {{"ErrorFill", 1}}, nullptr, std::string(2048, 'E')},
        {"fills them, reports 5000",
         {{"ErrorFill", 1}, {"ErrorLength", 5000}},
         nullptr,
         std::string(2048, 'E')},
        {"reports fewer bytes than it wrote", {{"ErrorLength", 4}}, "Disk full", "Disk"},
        {"fails, leaving nothing", {{"ErrorResult", 0x80004005}}, nullptr, ""},
        {"faults", {{"ErrorFault", 1}}, "never", ""},
    };
    for (const Case &c : cases) {
        FakeScript fresh;
        for (const auto &[name, value] : c.numbers)
            fresh.Number(name, value);
        if (c.text)
            fresh.Text("ErrorText", c.text);
        EXPECT_EQ(GetPostErrorText(0x80070005), c.expected) << c.what;
        EXPECT_EQ(fresh.RecordedNumber("ErrorCode"), 0x80070005u) << c.what;
    }
}

TEST_F(PublishRunTest, LibraryIsLoadedAtTheFirstCallNotBeforeAndStays) {
    EXPECT_FALSE(loadedAtStart);
    GetPostErrorText(1);
    EXPECT_TRUE(WebPostLoaded());
    PublishSite();
    EXPECT_TRUE(WebPostLoaded());
}

}  // namespace
}  // namespace zephyne_test
