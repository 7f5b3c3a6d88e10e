// The host's camera work end to end: the real Vesko.exe opens the task of the
// real stand-in host (HostStandIn.exe, camera work on), and the host really
// downloads, from a memory card linked as drive E: (the card's road: a volume
// arrival, the album dialog, OpenTask) and from the simulated camera on a
// Wine COM port through the real Peltrix.dll and comm32.dll (the tray's
// Download command, OpenTaskEx). Every case ends with the host ending its
// task by itself and the applet idle again; the album holds whole pictures,
// byte for byte those of the source, and no working file.
//
// Run through with_simulated_camera.sh, which serves the camera and names its
// exported pictures and its stop file in SUITE_SIM_EXPORT and SUITE_SIM_STOP.
#include <gtest/gtest.h>
#include <windows.h>

#include <dbt.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "applet_process.h"
#include "folder_contents.h"
#include "host_control.h"
#include "prerequisite.h"
#include "screen_shot.h"
#include "settings_store.h"
#include "standin_protocol.h"
#include "tolvarc_ids.h"
#include "wine_drive.h"

using namespace vesko_test;

namespace {

using testsupport::EntryKinds;
using testsupport::FolderEntries;
using testsupport::ReadWholeFile;

constexpr DWORD kWaitMs = 60000;

template <typename Condition>
bool WaitFor(Condition condition, DWORD ms = kWaitMs) {
    for (DWORD waited = 0;; waited += 20) {
        if (condition())
            return true;
        if (waited >= ms)
            return false;
        ::Sleep(20);
    }
}

std::string ControlText(HWND control) {
    char text[1024] = "";
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                          SMTO_NORMAL, 5000, &copied);
    return text;
}

std::string PictureName(size_t number) {
    char name[32];
    std::snprintf(name, sizeof name, "PIC%05u.JPG", static_cast<unsigned>(number));
    return name;
}

std::string Environment(const char *name) {
    const char *value = std::getenv(name);
    return value ? value : "";
}

class DownloadRoad : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(AppletResources(), nullptr);
        ASSERT_EQ(FindAppletMarker(), nullptr) << "an applet from elsewhere is running";
        REQUIRE_PREREQUISITE(host_.Ready(), "the stand-in host: " + host_.Problem());
        testsupport::HostAnswers answers;
        answers.cameraWork = true;
        host_.SetAnswers(answers);
        albums_ = "C:\\suite-download-albums";
        testsupport::RemoveTree(albums_);
        ASSERT_TRUE(testsupport::MakeFolders(albums_));
        settings::WriteRegString("Install", "Download", albums_);
    }
    void TearDown() override { testsupport::RemoveTree(albums_); }

    // Starts the applet and waits for its main dialog.
    HWND StartApplet() {
        applet_ = std::make_unique<AppletProcess>(ProgramFolder() + "\\Vesko.exe", "");
        return applet_->Started() ? applet_->WaitForMainDialog(kWaitMs) : nullptr;
    }

    // After the host has ended its task on its own: the applet ends the task
    // too (its EndTask is the last call), lets go of the host and is idle;
    // a failure shown in the window is closed first, as a user would.
    void ExpectHostEndedAndAppletIdle(const std::vector<std::string> &opening) {
        ASSERT_TRUE(WaitFor([&] {
            const auto calls = host_.Calls();
            return !calls.empty() && calls.back().method == "EndTask";
        })) << "the applet did not end the host's task";
        if (testsupport::HostStandIn::TaskWindow()) {
            ASSERT_TRUE(testsupport::HostStandIn::ClickEndTask());
        }
        EXPECT_TRUE(host_.WaitForServersToExit(kWaitMs)) << "the host object was not released";
        std::vector<std::string> methods;
        for (const auto &call : host_.Calls())
            methods.push_back(call.method);
        std::vector<std::string> expected = opening;
        expected.push_back("EndTask");
        EXPECT_EQ(methods, expected);
        EXPECT_EQ(settings::ReadRegDword("Sdk", "FromVesko", 0), 0);
        EXPECT_TRUE(applet_->Running());
        EXPECT_TRUE(ExitThroughTrayMenu(*applet_));
    }

    AppletSettings settings_;
    testsupport::HostStandIn host_;
    std::string albums_;
    std::unique_ptr<AppletProcess> applet_;
};

// ---- from a memory card ----

TEST_F(DownloadRoad, CardPicturesGoIntoTheAlbumTheAppletAskedFor) {
    // Pictures in two camera folders, one big enough for several pieces, and
    // a name the album already holds (kept; the picture takes the next name).
    const std::string card = "C:\\suite-download-card";
    testsupport::RemoveTree(card);
    struct CardFile {
        const char *path;
        size_t size;
    } files[] = {{"DCIM\\100CARD\\PIC00001.JPG", 1000},
                 {"DCIM\\100CARD\\PIC00002.JPG", 300000},
                 {"DCIM\\101CARD\\PIC00003.JPG", 1}};
    for (const CardFile &file : files) {
        const std::string path = card + "\\" + file.path;
        ASSERT_TRUE(testsupport::MakeFile(path));
        std::string bytes(file.size, '\0');
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>((i * 7 + file.size) & 0xFF);
        std::ofstream(path, std::ios::binary) << bytes;
    }
    REQUIRE_PREREQUISITE(testsupport::LinkDriveLetter('E', card), "drive E: for the card");

    settings::WriteRegDword("Sdk", "ShowStartup", 0);
    settings::WriteRegDword("Sdk", "AutoDownload", 1);
    settings::WriteRegDword("Connect", "ConnectVia", 1);
    settings::WriteRegString("Sdk", "PCCardDrive", std::string("E:"));
    ASSERT_NE(StartApplet(), nullptr);
    HWND top = FindAppletMarker();
    ASSERT_NE(top, nullptr);
    DEV_BROADCAST_VOLUME volume = {};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << ('E' - 'A');
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutA(top, WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                          reinterpret_cast<LPARAM>(&volume), SMTO_NORMAL, 10000, &answer);

    HWND album = applet_->WaitForMessageBox(kWaitMs);
    ASSERT_NE(album, nullptr) << "no album dialog";
    ::SetWindowTextA(::GetDlgItem(album, IDC_ALBUM_NAME), "Card album");
    const std::string folder = albums_ + "\\Card album";
    ASSERT_TRUE(testsupport::MakeFile(folder + "\\PIC00002.JPG"));  // one byte of ours
    const std::string ours = ReadWholeFile(folder + "\\PIC00002.JPG");
    ::PostMessageA(album, WM_COMMAND, IDOK, 0);

    ExpectHostEndedAndAppletIdle({"SetNotifyWindow", "SetClientTitle", "OpenTask"});
    EXPECT_EQ(host_.TaskOutcome(), "done 3/3");
    EXPECT_EQ(FolderEntries(folder, EntryKinds::FilesOnly),
              (std::vector<std::string>{"PIC00001.JPG", "PIC00002-2.JPG", "PIC00002.JPG",
                                        "PIC00003.JPG"}));
    EXPECT_EQ(ReadWholeFile(folder + "\\PIC00001.JPG"), ReadWholeFile(card + "\\" + files[0].path));
    EXPECT_EQ(ReadWholeFile(folder + "\\PIC00002-2.JPG"),
              ReadWholeFile(card + "\\" + files[1].path));
    EXPECT_EQ(ReadWholeFile(folder + "\\PIC00002.JPG"), ours) << "a file of the album was replaced";
    EXPECT_EQ(ReadWholeFile(folder + "\\PIC00003.JPG"), ReadWholeFile(card + "\\" + files[2].path));
    testsupport::RemoveTree(card);
}

// ---- from the simulated camera ----

enum class Ending { Done, Cancelled, CameraGone };

struct SerialCase {
    const char *name;
    Ending ending;
};

void PrintTo(const SerialCase &c, std::ostream *out) {
    *out << c.name;
}

class SerialDownload : public DownloadRoad, public ::testing::WithParamInterface<SerialCase> {
protected:
    void SetUp() override {
        DownloadRoad::SetUp();
        if (HasFatalFailure() || IsSkipped())
            return;
        served_ = Environment("SUITE_SIM_EXPORT");
        stop_ = Environment("SUITE_SIM_STOP");
        REQUIRE_PREREQUISITE(!served_.empty() && !stop_.empty(),
                             "the simulated camera (run through with_simulated_camera.sh)");
    }

    // The camera's pictures in the order it numbers them (the simulator
    // names them NNN_GGG_PPPP.jpg, NNN the picture's number).
    std::vector<std::string> ServedPictures() const {
        std::vector<std::string> pictures;
        for (const std::string &name : FolderEntries(served_, EntryKinds::FilesOnly))
            if (name.find("_thumb") == std::string::npos)
                pictures.push_back(served_ + "\\" + name);
        return pictures;
    }

    std::string served_;
    std::string stop_;
};

TEST_P(SerialDownload, CameraPicturesThroughTheLibrary) {
    const SerialCase &c = GetParam();
    const std::vector<std::string> served = ServedPictures();
    ASSERT_GE(served.size(), 3u) << "the simulator exported too few pictures";
    settings::WriteRegString("Sdk", "DownloadAlbum", std::string("Camera"));
    const std::string folder = albums_ + "\\Camera";
    HWND dialog = StartApplet();
    ASSERT_NE(dialog, nullptr);
    ::PostMessageA(dialog, WM_COMMAND, ID_TRAY_DOWNLOAD, 0);

    if (c.ending != Ending::Done) {
        // Once the first picture is whole (under its final name), and the
        // second under way.
        ASSERT_TRUE(WaitFor([&] {
            return ::GetFileAttributesA((folder + "\\" + PictureName(1)).c_str()) !=
                   INVALID_FILE_ATTRIBUTES;
        })) << "no picture arrived; outcome: "
            << host_.TaskOutcome();
        HWND window = testsupport::HostStandIn::TaskWindow();
        ASSERT_NE(window, nullptr);
        if (c.ending == Ending::Cancelled) {
            // The window as a user sees it with the second picture under way.
            HWND activity = ::GetDlgItem(window, standin::kActivityTextId);
            EXPECT_TRUE(WaitFor([&] {
                return ControlText(activity).find("(2 of ") != std::string::npos;
            })) << ControlText(activity);
            RECT rect;
            ::GetWindowRect(window, &rect);
            EXPECT_GT(testsupport::ShootScreen(rect, testsupport::ScreenshotFolder("screenshots") +
                                                         "\\host_download.png"),
                      2u);
            ::PostMessageA(::GetDlgItem(window, standin::kCancelButtonId), BM_CLICK, 0, 0);
        } else {
            std::ofstream(stop_) << "unplugged\n";
        }
    }
    ASSERT_TRUE(WaitFor([&] { return !host_.TaskOutcome().empty(); }))
        << "the download did not end";
    const std::string outcome = host_.TaskOutcome();
    if (c.ending == Ending::CameraGone) {
        // The failure stays in the window, with the library's code.
        HWND window = testsupport::HostStandIn::TaskWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(
            ControlText(::GetDlgItem(window, standin::kActivityTextId)).rfind("Camera error ", 0),
            0u)
            << ControlText(::GetDlgItem(window, standin::kActivityTextId));
        EXPECT_EQ(ControlText(::GetDlgItem(window, standin::kEndTaskButtonId)), "&Close");
    }
    ExpectHostEndedAndAppletIdle({"SetNotifyWindow", "SetClientTitle", "OpenTaskEx"});

    const std::vector<std::string> files = FolderEntries(folder, EntryKinds::FilesOnly);
    const std::string total = "/" + std::to_string(served.size());
    switch (c.ending) {
    case Ending::Done:
        EXPECT_EQ(outcome, "done " + std::to_string(served.size()) + total);
        EXPECT_EQ(files.size(), served.size());
        break;
    case Ending::Cancelled:
        EXPECT_EQ(outcome, "cancelled " + std::to_string(files.size()) + total);
        break;
    case Ending::CameraGone:
        EXPECT_EQ(
            outcome.rfind("cameraerror " + std::to_string(files.size()) + total + " code ", 0), 0u)
            << outcome;
        break;
    }
    if (c.ending != Ending::Done) {
        EXPECT_GE(files.size(), 1u);
        EXPECT_LT(files.size(), served.size()) << "the download ended before it was stopped";
    }
    // Pictures 1 to n, each whole: no half file, no working file.
    for (size_t i = 0; i < files.size(); ++i) {
        ASSERT_EQ(files[i], PictureName(i + 1));
        EXPECT_EQ(ReadWholeFile(folder + "\\" + files[i]), ReadWholeFile(served[i])) << files[i];
    }
}

// In this order: the camera is unplugged last.
INSTANTIATE_TEST_SUITE_P(Road, SerialDownload,
                         ::testing::Values(SerialCase{"Done", Ending::Done},
                                           SerialCase{"Cancelled", Ending::Cancelled},
                                           SerialCase{"CameraGone", Ending::CameraGone}),
                         [](const ::testing::TestParamInfo<SerialCase> &info) {
                             return std::string(info.param.name);
                         });

}  // namespace
