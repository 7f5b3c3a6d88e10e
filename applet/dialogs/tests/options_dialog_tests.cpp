// The Options dialog over the real registry (a private HKEY_CURRENT_USER per
// test) and the real resource library: what it shows for each connection
// kind and stored values, what OK stores and that Cancel stores nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "applet_test_app.h"
#include "feature_flags.h"
#include "framework/res_string.h"
#include "options_dialog.h"
#include "registry_sandbox.h"
#include "screen_shot.h"
#include "settings_store.h"
#include "tolvarc_ids.h"

using namespace applet;

namespace vesko_test {
namespace {

namespace {

// No value of this test's writes is ever this.
constexpr int32_t kAbsent = -987654;

// What the dialog shows once it is initialised.
struct Shown {
    bool showAtStart, manual, automatic, fullApp, cameraOnly, autoRun;
    std::string manualText, automaticText;
    bool automaticEnabled;
};

// Runs the dialog, notes what it shows, then ends it with `button`.
class COptionsProbe : public COptionsDialog {
public:
    explicit COptionsProbe(int button, std::string shot = "")
        : button_(button), shot_(std::move(shot)) {}
    Shown shown{};
    size_t shotColours = 0;

protected:
    bool OnInitDialog() override {
        const bool result = COptionsDialog::OnInitDialog();
        auto checked = [this](int id) { return ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; };
        auto text = [this](int id) {
            char buffer[512] = "";
            ::GetDlgItemTextA(hwnd_, id, buffer, sizeof buffer);
            return std::string(buffer);
        };
        shown = {checked(IDC_SHOW_AT_START),
                 checked(IDC_DOWNLOAD_MANUAL),
                 checked(IDC_DOWNLOAD_AUTO),
                 checked(IDC_RUN_FULL_APP),
                 checked(IDC_RUN_CAMERA_ONLY),
                 checked(IDC_AUTO_RUN),
                 text(IDC_DOWNLOAD_MANUAL),
                 text(IDC_DOWNLOAD_AUTO),
                 ::IsWindowEnabled(GetDlgItem(IDC_DOWNLOAD_AUTO)) != FALSE};
        if (!shot_.empty()) {
            ShowWindow(SW_SHOW);
            ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            RECT rect;
            ::GetWindowRect(hwnd_, &rect);
            shotColours = testsupport::ShootScreen(
                rect, testsupport::ScreenshotFolder("vesko-screenshots") + "\\" + shot_ + ".png");
        }
        // The button as the user clicks it: through the dialog's own command.
        PostMessage(WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED),
                    reinterpret_cast<LPARAM>(GetDlgItem(button_)));
        return result;
    }

private:
    int button_;
    std::string shot_;
};

std::string Text(UINT id) {
    return fw::LoadResString(id);
}

struct OptionsCase {
    const char *name;
    std::map<std::string, int32_t> sdk;  // values under Sdk before the dialog
    std::optional<int32_t> connectVia;
    std::string lastTwainDev;
    bool autodownloadFlag;
    Shown expected;
    // After OK: AutoDownload, ShowStartup, EnableAutoRun, RunOption.
    int32_t storedAutoDownload, storedShowStartup, storedAutoRun, storedRunOption;
};

void PrintTo(const OptionsCase &c, std::ostream *out) {
    *out << c.name;
}

const std::string kTwainName = "Flatbed Scanner 4800 TWAIN Source";

std::vector<OptionsCase> Cases() {
    const std::string any = Text(IDS_OPTIONS_ANY_MANUAL), anyAuto = Text(IDS_OPTIONS_ANY_AUTO);
    return {
        {"Empty registry",
         {},
         std::nullopt,
         "",
         false,
         {true, true, false, false, true, false, any, anyAuto, true},
         0,
         1,
         0,
         1},
        {"Empty registry with the autodownload flag",
         {},
         std::nullopt,
         "",
         true,
         {true, false, true, false, true, false, any, anyAuto, true},
         1,
         1,
         0,
         1},
        {"Memory card with stored values",
         {{"ShowStartup", 0}, {"AutoDownload", 1}, {"RunOption", 0}, {"EnableAutoRun", 1}},
         1,
         "",
         false,
         {false, false, true, true, false, true, Text(IDS_OPTIONS_CARD_MANUAL),
          Text(IDS_OPTIONS_CARD_AUTO), true},
         1,
         0,
         1,
         0},
        {"Serial cable",
         {},
         2,
         "",
         false,
         {true, true, false, false, true, false, Text(IDS_OPTIONS_CABLE_MANUAL),
          Text(IDS_OPTIONS_CABLE_AUTO), true},
         0,
         1,
         0,
         1},
        {"Kind 3",
         {{"AutoDownload", 1}},
         3,
         "",
         false,
         {true, false, true, false, true, false, any, anyAuto, true},
         1,
         1,
         0,
         1},
        {"Kind 5",
         {},
         5,
         "",
         false,
         {true, true, false, false, true, false, any, anyAuto, true},
         0,
         1,
         0,
         1},
        {"TWAIN without a source name",
         {{"AutoDownload", 7}},
         4,
         "",
         true,
         {true, true, false, false, true, false, Text(IDS_OPTIONS_TWAIN_MANUAL),
          Text(IDS_OPTIONS_TWAIN_AUTO), false},
         7,
         1,
         0,
         1},
        {"TWAIN with a source name",
         {{"AutoDownload", 1}},
         4,
         kTwainName,
         false,
         {true, true, false, false, true, false,
          fw::SubstituteArg(Text(IDS_OPTIONS_TWAIN_NAMED), kTwainName),
          Text(IDS_OPTIONS_TWAIN_AUTO), false},
         1,
         1,
         0,
         1},
        {"Unknown kind 7",
         {},
         7,
         "",
         false,
         {true, true, false, false, true, false, "", "", true},
         0,
         1,
         0,
         1},
        {"Unknown kind -1",
         {},
         -1,
         "",
         false,
         {true, true, false, false, true, false, "", "", true},
         0,
         1,
         0,
         1},
        {"Choices outside both radio pairs",
         {{"AutoDownload", 3}, {"RunOption", 5}},
         0,
         "",
         false,
         {true, false, false, false, false, false, any, anyAuto, true},
         -1,
         1,
         0,
         -1},
    };
}

class OptionsDialogTest : public ::testing::TestWithParam<OptionsCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(sandbox_.Ready());
        ASSERT_NE(testsupport::AppletResources(), nullptr);
        savedFlags_ = AppFeatureFlags();
        const OptionsCase &c = GetParam();
        AppFeatureFlags().autodownload = c.autodownloadFlag ? 1 : 0;
        for (const auto &[name, value] : c.sdk)
            ASSERT_TRUE(settings::WriteRegDword("Sdk", name, value));
        if (c.connectVia) {
            ASSERT_TRUE(settings::WriteRegDword("Connect", "ConnectVia", *c.connectVia));
        }
        if (!c.lastTwainDev.empty()) {
            ASSERT_TRUE(settings::WriteRegString("Connect", "LastTwainDev", c.lastTwainDev));
        }
    }
    void TearDown() override { AppFeatureFlags() = savedFlags_; }

    static int32_t Stored(const char *name) { return settings::ReadRegDword("Sdk", name, kAbsent); }

    testsupport::RegistrySandbox sandbox_;
    FeatureFlags savedFlags_;
};

void ExpectShown(const Shown &actual, const Shown &expected) {
    EXPECT_EQ(actual.showAtStart, expected.showAtStart) << "box 1012";
    EXPECT_EQ(actual.manual, expected.manual) << "radio 1013";
    EXPECT_EQ(actual.automatic, expected.automatic) << "radio 1014";
    EXPECT_EQ(actual.fullApp, expected.fullApp) << "radio 1018";
    EXPECT_EQ(actual.cameraOnly, expected.cameraOnly) << "radio 1019";
    EXPECT_EQ(actual.autoRun, expected.autoRun) << "box 1020";
    EXPECT_EQ(actual.manualText, expected.manualText);
    EXPECT_EQ(actual.automaticText, expected.automaticText);
    EXPECT_EQ(actual.automaticEnabled, expected.automaticEnabled);
}

TEST_P(OptionsDialogTest, ShowsTheStoredChoicesAndOkStoresAllFour) {
    const OptionsCase &c = GetParam();
    // Two kinds are kept as pictures for review.
    const std::string name = c.name;
    const std::string shot = name == "Memory card with stored values" ? "options-memory-card"
                             : name == "TWAIN with a source name"     ? "options-twain"
                                                                      : "";
    COptionsProbe dialog(IDOK, shot);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ExpectShown(dialog.shown, c.expected);
    if (!shot.empty()) {
        EXPECT_GT(dialog.shotColours, 3u) << "the dialog was not captured";
    }
    EXPECT_EQ(Stored("AutoDownload"), c.storedAutoDownload);
    EXPECT_EQ(Stored("ShowStartup"), c.storedShowStartup);
    EXPECT_EQ(Stored("EnableAutoRun"), c.storedAutoRun);
    EXPECT_EQ(Stored("RunOption"), c.storedRunOption);
    EXPECT_EQ(settings::ReadRegDword("Connect", "ConnectVia", kAbsent),
              c.connectVia.value_or(kAbsent))
        << "the connection kind is never written";
}

TEST_P(OptionsDialogTest, CancelStoresNothing) {
    const OptionsCase &c = GetParam();
    COptionsProbe dialog(IDCANCEL);
    ASSERT_EQ(dialog.DoModal(), IDCANCEL);
    ExpectShown(dialog.shown, c.expected);
    for (const char *name : {"AutoDownload", "ShowStartup", "EnableAutoRun", "RunOption"}) {
        auto before = c.sdk.find(name);
        EXPECT_EQ(Stored(name), before == c.sdk.end() ? kAbsent : before->second) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, OptionsDialogTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<OptionsCase> &info) {
                             std::string name = info.param.name;
                             for (char &ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

}  // namespace

}  // namespace
}  // namespace vesko_test
