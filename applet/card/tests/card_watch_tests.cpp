// The card watch on real drive letters of the Wine prefix (Q: and R: lead to
// one folder): the card folders and card file of the settings, and the
// volume-arrival test with its masks, flag and EnableAutoRun.
#include <gtest/gtest.h>
#include <windows.h>

#include <dbt.h>

#include <optional>
#include <string>

#include "applet_test_app.h"
#include "card_watch.h"
#include "feature_flags.h"
#include "prerequisite.h"
#include "registry_sandbox.h"
#include "settings_store.h"
#include "wine_drive.h"

using namespace applet;
using namespace testsupport;

namespace vesko_test {
namespace {

namespace {

class CardWatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sandbox_.Ready());
        ASSERT_NE(AppletResources(), nullptr);
        REQUIRE_PREREQUISITE(card_.Ready(), "drive Q: from Wine's mount manager");
        ASSERT_TRUE(MakeFile(card_ / "DCIM\\100CARD\\pic.jpg") && MakeFolders(card_ / "MISC"));
        // The scratch folder seen from the drive's root: "t123-0".
        below_ = card_.Path().substr(3);
        AppFeatureFlags().cameradirect = 1;
    }
    void TearDown() override { AppFeatureFlags().cameradirect = 0; }

    static void Set(const char *name, const std::optional<std::string> &text) {
        settings::WriteRegString("Connect", name, text);
    }
    // `{below}` in a setting stands for the scratch folder below the root.
    std::string Expand(std::string text) const {
        for (size_t at; (at = text.find("{below}")) != std::string::npos;)
            text.replace(at, 7, below_);
        return text;
    }

    RegistrySandbox sandbox_;
    ScratchOnDrive card_;
    std::string below_;
};

}  // namespace

TEST_F(CardWatchTest, CardFoldersAndCardFileOfTheSettings) {
    struct Case {
        const char *path;  // nullptr: absent
        const char *file;  // nullptr: absent
        const char *drive;
        bool card;
    };
    const Case cases[] = {
        {"{below}\\DCIM", "-", "Q:", true},
        {" ; {below}\\MISSING ;\t{below}\\DCIM ", "-", "Q:", true},
        {"{below}\\MISSING", "-", "Q:", false},
        {"Q:\\{below}\\DCIM", "-", "Q:", true},
        {"q:\\{below}\\DCIM", "-", "Q:", true},
        {"R:\\{below}\\DCIM", "-", "Q:", false},  // another drive, though it leads to the same folder
        {"{below}\\DCIM", "-", "R:", true},
        {"{below}\\DCIM", "", "Q:", true},
        {"{below}\\DCIM", "{below}\\DCIM\\###*", "Q:", true},
        {"{below}\\DCIM", "{below}\\DCIM\\####*", "Q:", false},
        {"{below}\\DCIM", "{below}\\dcim\\100card\\*.JPG", "Q:", true},
        {"{below}\\DCIM", "{below}\\MISC", "Q:", true},
        {"{below}\\DCIM", "{below}\\NOPE", "Q:", false},
        {"{below}\\DCIM", "Q:\\{below}\\DCIM\\100CARD\\pic.jpg", "Q:", true},
        {"{below}\\DCIM", nullptr, "Q:", false},  // string 962 looks at the root's DCIM
        {nullptr, "-", "Q:", false},              // string 956: the root's DCIM
        {"", "-", "Q:", false},
    };
    for (const Case &c : cases) {
        const std::string path = c.path ? Expand(c.path) : "(absent)";
        const std::string file = c.file ? Expand(c.file) : "(absent)";
        Set("PCCardPath", c.path ? std::optional<std::string>(path) : std::nullopt);
        Set("PCCardFile", c.file ? std::optional<std::string>(file) : std::nullopt);
        EXPECT_EQ(IsCameraCardDrive(c.drive), c.card)
            << c.drive << " path [" << path << "] file [" << file << "]";
    }
}

TEST_F(CardWatchTest, HasCameraCardFileAlone) {
    Set("PCCardFile", std::string("-"));
    EXPECT_TRUE(HasCameraCardFile("P:"));  // no file wanted: not even a drive
    Set("PCCardFile", Expand("{below}\\DCIM\\1??CARD"));
    EXPECT_TRUE(HasCameraCardFile("Q:"));
    EXPECT_FALSE(HasCameraCardFile("P:"));
}

TEST_F(CardWatchTest, VolumeArrivalTestsTheLowestDriveWhenTheWatchIsOn) {
    Set("PCCardPath", Expand("{below}\\DCIM"));
    Set("PCCardFile", Expand("{below}\\DCIM\\###*"));
    constexpr DWORD kP = 1u << 15, kQ = 1u << 16, kR = 1u << 17;
    struct Case {
        const char *name;
        WPARAM event;
        DWORD deviceType;
        DWORD mask;
        bool cameraDirect;
        std::optional<int32_t> autoRun;
        bool arrival;
    };
    const Case cases[] = {
        {"Q", DBT_DEVICEARRIVAL, DBT_DEVTYP_VOLUME, kQ, true, std::nullopt, true},
        {"Q and R", DBT_DEVICEARRIVAL, DBT_DEVTYP_VOLUME, kQ | kR, true, 1, true},
        {"R", DBT_DEVICEARRIVAL, DBT_DEVTYP_VOLUME, kR, true, 7, true},
        {"P before Q", DBT_DEVICEARRIVAL, DBT_DEVTYP_VOLUME, kP | kQ, true, 1, false},
        {"no unit", DBT_DEVICEARRIVAL, DBT_DEVTYP_VOLUME, 0, true, 1, false},
        {"removal", DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_VOLUME, kQ, true, 1, false},
        {"a port", DBT_DEVICEARRIVAL, DBT_DEVTYP_PORT, kQ, true, 1, false},
        {"cameradirect off", DBT_DEVICEARRIVAL, DBT_DEVTYP_VOLUME, kQ, false, 1, false},
        {"EnableAutoRun 0", DBT_DEVICEARRIVAL, DBT_DEVTYP_VOLUME, kQ, true, 0, false},
    };
    for (const Case &c : cases) {
        AppFeatureFlags().cameradirect = c.cameraDirect ? 1 : 0;
        if (c.autoRun)
            settings::WriteRegDword("Sdk", "EnableAutoRun", *c.autoRun);
        else
            settings::WriteRegString("Sdk", "EnableAutoRun", std::nullopt);
        DEV_BROADCAST_VOLUME volume = {};
        volume.dbcv_size = sizeof volume;
        volume.dbcv_devicetype = c.deviceType;
        volume.dbcv_unitmask = c.mask;
        volume.dbcv_flags = DBTF_MEDIA;  // never looked at
        EXPECT_EQ(IsCardArrival(c.event, reinterpret_cast<LPARAM>(&volume)), c.arrival) << c.name;
    }
    EXPECT_FALSE(IsCardArrival(DBT_DEVICEARRIVAL, 0)) << "no broadcast data";
}

}  // namespace
}  // namespace vesko_test
