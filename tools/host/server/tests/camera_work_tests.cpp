// The stand-in host's camera work without the applet: the test plays the
// applet (its settings in a private HKEY_CURRENT_USER, which the server's
// side channel follows; its calls through the dispatch driver; its notify
// window), a card is a scratch folder on a Wine drive letter. One case per
// way a task ends that the applet's road tests do not reach: a listing that
// stays open, a download from a card into an album given as a full path, a
// card on a removable drive the applet did not name, no card, no camera on
// any COM port, and a connection kind this host does not serve.
#include <gtest/gtest.h>

#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "folder_contents.h"
#include "framework/dispatch_driver.h"
#include "framework/ole_init.h"
#include "host_control.h"
#include "notify_listener.h"
#include "platform/code_page.h"
#include "platform/registry_key.h"
#include "prerequisite.h"
#include "registry_sandbox.h"
#include "standin_protocol.h"
#include "wine_drive.h"

namespace standin_test {
namespace {

using testsupport::FolderEntries;
using testsupport::ReadWholeFile;

using fw::CDispArg;
using platform::RegistryKey;
using testsupport::HostStandIn;

constexpr char kApplet[] = "Software\\Orvo\\Vesko";

std::string ControlText(HWND control) {
    char text[512] = "";
    ::GetWindowTextA(control, text, sizeof text);
    return text;
}

// Asked in wide characters: asked from another process with the 8-bit call,
// Wine hands the line back in wide characters (only its first letter reads).
std::vector<std::string> ListLines(HWND list) {
    std::vector<std::string> lines;
    const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t line[512] = L"";
        ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
        lines.push_back(platform::WideToCodePage(line));
    }
    return lines;
}

enum class Opened { OpenTask, OpenTaskFromLaunchWithAutoDownload, OpenTaskEx };

// Where the card is: on the drive the applet names in PCCardDrive, on a
// removable drive it does not name, or nowhere.
enum class Card { NamedDrive, RemovableDrive, None };

struct WorkCase {
    const char *name;
    int connectVia;
    Card card;
    Opened opened;
    std::string outcome;                // TaskOutcome
    std::string activity;               // the window's last words
    std::vector<std::string> pictures;  // the list box
    bool endsItself;                    // the host posts the end and ends its task
    bool windowStays;                   // visible after the end (a failure), or a listing
};

void PrintTo(const WorkCase &c, std::ostream *out) {
    *out << c.name;
}

class CameraWorkTest : public ::testing::TestWithParam<WorkCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(sandbox_.Ready());
        ASSERT_TRUE(ole_.Succeeded());
        REQUIRE_PREREQUISITE(host_.Ready(), "the stand-in host: " + host_.Problem());
        REQUIRE_PREREQUISITE(scratch_.Ready(), "a scratch folder on a Wine drive letter");
        testsupport::HostAnswers answers;
        answers.cameraWork = true;
        host_.SetAnswers(answers);
    }
    void TearDown() override {
        driver_.ReleaseDispatch();
        HostStandIn::ClickEndTask();
        EXPECT_TRUE(host_.WaitForServersToExit()) << "a server outlived its object";
    }

    static RegistryKey Applet(const char *subkey) {
        return RegistryKey::Create(HKEY_CURRENT_USER, std::string(kApplet) + "\\" + subkey);
    }

    testsupport::RegistrySandbox sandbox_;  // first: the side channel follows it
    fw::COleInit ole_;
    HostStandIn host_;
    fw::CDispatchDriver driver_;
    testsupport::ScratchOnDrive scratch_;
};

TEST_P(CameraWorkTest, TaskEndsAsAHostEndsIt) {
    const WorkCase &c = GetParam();
    // A card on the scratch folder's drive, or on a removable drive of its
    // own: two pictures in a camera folder, and a file beside the folder
    // that is not one.
    std::string drive = scratch_.Path().substr(0, 2);
    std::string dcim = scratch_ / "DCIM";
    const std::string album = scratch_ / "Album\\Today";
    if (c.card == Card::RemovableDrive) {
        REQUIRE_PREREQUISITE(
            testsupport::LinkDriveLetter('K', scratch_.Path(), testsupport::DriveKind::Removable),
            "drive K: as a removable drive");
        ASSERT_EQ(::GetDriveTypeA("K:\\"), static_cast<UINT>(DRIVE_REMOVABLE));
        drive = "K:";
        dcim = "DCIM";  // joined to each drive that is looked at
    }
    if (c.card != Card::None) {
        ASSERT_TRUE(testsupport::MakeFolders(scratch_ / "DCIM\\100CARD"));
        std::ofstream(scratch_ / "DCIM\\100CARD\\B.JPG", std::ios::binary) << "bbbb";
        std::ofstream(scratch_ / "DCIM\\A.JPG", std::ios::binary) << "aaa";
        std::ofstream(scratch_ / "NOTE.TXT", std::ios::binary) << "not a picture";
    }
    Applet("Connect").WriteDword("ConnectVia", static_cast<uint32_t>(c.connectVia));
    // A full path on the named drive stands as it is; a bare folder is looked
    // for on each drive.
    Applet("Connect").WriteString("PCCardPath", dcim);
    Applet("Connect").WriteString("PCCardFile", "-");
    Applet("Install").WriteString("Download", scratch_ / "unused");
    Applet("Sdk").WriteString("DownloadAlbum", album);  // a full path the user typed
    if (c.card != Card::RemovableDrive)
        Applet("Sdk").WriteString("PCCardDrive", drive);
    if (c.opened == Opened::OpenTaskFromLaunchWithAutoDownload) {
        Applet("Sdk").WriteDword("FromVesko", 1);
        Applet("Sdk").WriteDword("AutoDownload", 1);
    } else {
        Applet("Sdk").WriteDword("AutoDownload", 1);  // not the applet's launch: not ours
    }

    CNotifyListener listener;
    HRESULT status = S_OK;
    ASSERT_TRUE(driver_.CreateDispatch(standin::kProgId, &status)) << std::hex << status;
    driver_.InvokeHelper(standin::kSetNotifyWindow, VT_BOOL,
                         {CDispArg::Long(listener.HandleNumber())});
    const CDispArg no = CDispArg::Bool(false), yes = CDispArg::Bool(true);
    const fw::CVariant opened =
        c.opened == Opened::OpenTaskEx
            ? driver_.InvokeHelper(standin::kOpenTaskEx, VT_I2,
                                   {CDispArg::NullString(), no, no, yes})
            : driver_.InvokeHelper(standin::kOpenTask, VT_I2, {no, no, yes});
    ASSERT_EQ(opened.Get()->iVal, 1);

    std::string outcome;
    for (DWORD waited = 0; (outcome = host_.TaskOutcome()).empty() && waited < 120000; waited += 20)
        ::Sleep(20);
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_EQ(listener.WaitFor(c.endsItself ? 1 : 0, c.endsItself ? 10000 : 500).size(),
              c.endsItself ? 1u : 0u);

    HWND window = HostStandIn::TaskWindow();
    EXPECT_EQ(window != nullptr, c.windowStays);
    if (window) {
        EXPECT_EQ(ControlText(::GetDlgItem(window, standin::kActivityTextId)), c.activity);
        EXPECT_EQ(ListLines(::GetDlgItem(window, standin::kPictureListId)), c.pictures);
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(window, standin::kCancelButtonId)));
        EXPECT_EQ(ControlText(::GetDlgItem(window, standin::kEndTaskButtonId)),
                  c.endsItself ? "&Close" : "&End Task");
    }
    if (c.outcome == "done 2/2") {
        EXPECT_EQ(ReadWholeFile(album + "\\A.JPG"), "aaa");
        EXPECT_EQ(ReadWholeFile(album + "\\B.JPG"), "bbbb");
        EXPECT_EQ(FolderEntries(album).size(), 2u) << "a working file was left";
    } else {
        EXPECT_TRUE(FolderEntries(album).empty()) << "a listing or a failure wrote into the album";
    }

    if (!c.endsItself) {
        // A listing waits for its client, as any open task.
        ASSERT_TRUE(HostStandIn::ClickEndTask());
        EXPECT_EQ(listener.WaitFor(1).size(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Endings, CameraWorkTest,
    ::testing::Values(WorkCase{"ListingStaysOpen",
                               1,
                               Card::NamedDrive,
                               Opened::OpenTask,
                               "listed 0/2",
                               "2 pictures found.",
                               {"B.JPG   4 bytes", "A.JPG   3 bytes"},  // in path order
                               false,
                               true},
                      WorkCase{"LaunchWithAutoDownloadDownloadsAndEnds",
                               3,
                               Card::NamedDrive,
                               Opened::OpenTaskFromLaunchWithAutoDownload,
                               "done 2/2",
                               "",
                               {},
                               true,
                               false},
                      WorkCase{"CardOnARemovableDriveTheAppletDidNotName",
                               1,
                               Card::RemovableDrive,
                               Opened::OpenTaskEx,
                               "done 2/2",
                               "",
                               {},
                               true,
                               false},
                      WorkCase{"NoCardIsShownAndEndsTheTask",
                               1,
                               Card::None,
                               Opened::OpenTaskEx,
                               "nocard 0/0",
                               "No memory card with camera pictures is in a drive.",
                               {},
                               true,
                               true},
                      // No simulator runs here (COM1 is this test's: RESOURCE_LOCK).
                      WorkCase{"NoCameraIsShownAndEndsTheTask",
                               0,
                               Card::None,
                               Opened::OpenTaskEx,
                               "nocamera 0/0",
                               "No camera answers on the COM ports.",
                               {},
                               true,
                               true},
                      WorkCase{"TwainSourceIsNotServed",
                               4,
                               Card::NamedDrive,
                               Opened::OpenTaskEx,
                               "unsupported 0/0",
                               "This host does not serve the chosen connection.",
                               {},
                               true,
                               true}),
    [](const ::testing::TestParamInfo<WorkCase> &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace standin_test
