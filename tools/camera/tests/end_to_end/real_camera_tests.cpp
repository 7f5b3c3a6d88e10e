// pdrcam's commands over the real camera library and serial library, talking
// to the simulated camera: session and search, downloads compared byte for
// byte at several line speeds, thumbnails, erasing, faults on the line and
// cancellation.
#include "real_camera_fixture.h"

#include "cancel_request.h"
#include "exit_codes.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;
using namespace pdrcam;

namespace pdrcam_test {
namespace {

std::string pictureName(int n) {
    char name[16];
    std::snprintf(name, sizeof name, "PIC%05d.JPG", n);
    return name;
}

std::string thumbnailName(int n) {
    char name[16];
    std::snprintf(name, sizeof name, "THM%05d.JPG", n);
    return name;
}

// The sizes the simulator serves the pictures of its built-in set with.
constexpr int kBuiltInPictures = 10;

// The speed of every test that is not about speeds.
constexpr const char *kTestSpeed = "230400";

using PdrcamRealCameraSession = RealCameraTest;
using PdrcamRealCameraDownload = RealCameraTest;
using PdrcamRealCameraFaults = RealCameraTest;
using PdrcamRealCameraErase = RealCameraTest;

TEST_F(PdrcamRealCameraSession, SearchFindsTheCameraBehindPortsThatDoNotOpen) {
    startCamera();
    setenv("COMM32_PORT1", "/nonexistent/port1", 1);
    setenv("COMM32_PORT2", "/nonexistent/port2", 1);
    ASSERT_EQ(run({"info", "--speed", kTestSpeed}), kExitOk) << err_.str();
    unsetenv("COMM32_PORT1");
    unsetenv("COMM32_PORT2");
    const std::string text = out_.str();
    for (const char *expected :
         {"Port:           3", "Maker:          Toshiba", "Model:          PDR-M4",
          "Version:        V1.05", "Memory status:  57", "Pictures:       10"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

TEST_F(PdrcamRealCameraSession, CameraOptionsReachTheCamera) {
    startCamera({"--maker", "Other Maker", "--version-text", "V2.00", "--memory-status", "-2"});
    ASSERT_EQ(run({"info", "-p", "3", "-s", "c16"}), kExitOk) << err_.str();
    EXPECT_NE(out_.str().find("Maker:          Other Maker"), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("Version:        V2.00"), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("Memory status:  -2"), std::string::npos) << out_.str();
}

TEST_F(PdrcamRealCameraSession, NoCameraOnTheGivenPortExitsWithThree) {
    setenv("COMM32_PORT3", "/nonexistent/port3", 1);
    ASSERT_TRUE(library_);
    api().Cam_reset_dll();
    EXPECT_EQ(run({"list", "-p", "3"}), kExitNoCamera);
    EXPECT_NE(err_.str().find("port 3"), std::string::npos) << err_.str();
}

TEST_F(PdrcamRealCameraSession, ListGivesEverySizeTheCameraServes) {
    startCamera({"--first-group", "0"});
    ASSERT_EQ(run({"list", "-p", "3", "-s", kTestSpeed}), kExitOk) << err_.str();
    const auto served = camera_->exportedPictures();
    ASSERT_EQ(served.size(), static_cast<size_t>(kBuiltInPictures));
    std::istringstream lines(out_.str());
    std::string line;
    std::getline(lines, line);  // header
    for (int n = 1; n <= kBuiltInPictures; ++n) {
        ASSERT_TRUE(std::getline(lines, line));
        std::istringstream row(line);
        int number, size, type;
        std::string group;
        row >> number >> group >> size >> type;
        EXPECT_EQ(number, n);
        EXPECT_EQ(size, static_cast<int>(fs::file_size(served[n - 1]))) << line;
        // The first group is group 0 here: its nine pictures are of type 1.
        EXPECT_EQ(type, n <= 9 ? 1 : 0) << line;
    }
}

class PdrcamRealCameraSpeeds : public RealCameraTest,
                               public ::testing::WithParamInterface<const char *> {};

TEST_P(PdrcamRealCameraSpeeds, PicturesArriveByteForByte) {
    startCamera();
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(run({"get", "1,4", "-p", "3", "--speed", GetParam(), "-o", downloads()}), kExitOk)
        << err_.str();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const auto served = camera_->exportedPictures();
    ASSERT_GE(served.size(), 4u);
    uint64_t bytes = 0;
    for (int n : {1, 4}) {
        EXPECT_EQ(readAll(downloaded(pictureName(n))), readAll(served[n - 1])) << pictureName(n);
        bytes += fs::file_size(served[n - 1]);
    }
    std::printf("[ measured ] %s bits per second: %llu bytes in %.2f s, session included\n",
                GetParam(), static_cast<unsigned long long>(bytes), seconds);
}

INSTANTIATE_TEST_SUITE_P(LineSpeeds, PdrcamRealCameraSpeeds,
                         ::testing::Values("19200", "57600", "115200", "230400", "96000", "48000"),
                         [](const auto &info) { return std::string("bps") + info.param; });

TEST_F(PdrcamRealCameraDownload, AllPicturesAndThumbnailsOfTheMixedSet) {
    startCamera();
    ASSERT_EQ(run({"get", "all", "--thumbnails", "-p", "3", "-s", kTestSpeed, "-o", downloads()}),
              kExitOk)
        << err_.str();
    const auto pictures = camera_->exportedPictures();
    const auto stills = camera_->exportedThumbnails();
    ASSERT_EQ(pictures.size(), static_cast<size_t>(kBuiltInPictures));
    ASSERT_EQ(stills.size(), pictures.size());
    int fromMovies = 0;
    for (int n = 1; n <= kBuiltInPictures; ++n) {
        EXPECT_EQ(readAll(downloaded(pictureName(n))), readAll(pictures[n - 1])) << n;
        const auto thumbnail = readAll(downloaded(thumbnailName(n)));
        const auto still = readAll(stills[n - 1]);
        ASSERT_GE(thumbnail.size(), still.size()) << n;
        // A movie's still comes out alone; a plain thumbnail fills the whole
        // 14336 bytes, the still first.
        if (thumbnail.size() != 14336u) {
            EXPECT_EQ(thumbnail, still) << n;
            ++fromMovies;
        } else {
            EXPECT_TRUE(std::equal(still.begin(), still.end(), thumbnail.begin())) << n;
        }
    }
    EXPECT_GT(fromMovies, 0) << "the mixed set holds movie thumbnails";
    EXPECT_NE(out_.str().find("20 written, 0 skipped, 0 failed"), std::string::npos) << out_.str();
}

TEST_F(PdrcamRealCameraDownload, MovieThumbnailGivesItsStillImage) {
    startCamera({"--thumbnails", "avi"});
    ASSERT_EQ(run({"get", "2", "-t", "-p", "3", "-s", kTestSpeed, "-o", downloads()}), kExitOk)
        << err_.str();
    EXPECT_EQ(readAll(downloaded(thumbnailName(2))), readAll(camera_->exportedThumbnails()[1]));
}

TEST_F(PdrcamRealCameraDownload, SecondRunSkipsWhatIsThereAndForceReplacesIt) {
    startCamera();
    ASSERT_EQ(run({"get", "1", "-p", "3", "-s", kTestSpeed, "-o", downloads()}), kExitOk)
        << err_.str();
    writeAll(downloaded(pictureName(1)), {'x'});
    ASSERT_EQ(run({"get", "1", "-p", "3", "-s", kTestSpeed, "-o", downloads()}), kExitOk)
        << err_.str();
    EXPECT_EQ(readAll(downloaded(pictureName(1))), std::vector<unsigned char>{'x'});
    ASSERT_EQ(run({"get", "1", "-f", "-p", "3", "-s", kTestSpeed, "-o", downloads()}), kExitOk)
        << err_.str();
    EXPECT_EQ(readAll(downloaded(pictureName(1))), readAll(camera_->exportedPictures()[0]));
}

TEST_F(PdrcamRealCameraFaults, PictureSetChangeDuringTransferStillGivesThePicture) {
    // After the third piece the camera loses its last picture and answers the
    // next request with status 137: the library reads the directory again.
    startCamera({"--change-after", "3"});
    ASSERT_EQ(run({"get", "8", "-p", "3", "-s", kTestSpeed, "-o", downloads()}), kExitOk)
        << err_.str();
    EXPECT_EQ(readAll(downloaded(pictureName(8))), readAll(camera_->exportedPictures()[7]));
    EXPECT_NE(camera_->log().find("137"), std::string::npos) << camera_->log();
    ASSERT_EQ(run({"info", "-p", "3", "-s", kTestSpeed}), kExitOk) << err_.str();
    EXPECT_NE(out_.str().find("Pictures:       9"), std::string::npos) << out_.str();
}

TEST_F(PdrcamRealCameraFaults, StalledPayloadAndDroppedHeaderAreRetried) {
    startCamera({"--stall", "0x17/2:500", "--drop-header", "0x17/5", "--busy", "0x17/7"});
    ASSERT_EQ(run({"get", "3", "-p", "3", "-s", kTestSpeed, "-o", downloads()}), kExitOk)
        << err_.str();
    EXPECT_EQ(readAll(downloaded(pictureName(3))), readAll(camera_->exportedPictures()[2]));
}

TEST_F(PdrcamRealCameraFaults, RefusedTransferLeavesNoFile) {
    startCamera({"--refuse", "0x17/2:0x88"});
    EXPECT_EQ(run({"get", "2", "-p", "3", "-s", kTestSpeed, "-o", downloads()}), kExitCameraError);
    EXPECT_NE(err_.str().find("code 13"), std::string::npos) << err_.str();
    EXPECT_TRUE(fs::is_empty(downloads()));
}

TEST_F(PdrcamRealCameraFaults, CancelledTransferLeavesNoFileAndTheCameraUsable) {
    startCamera();
    // Cancel as Ctrl-C would, once the working file has grown.
    std::atomic<bool> done{false};
    std::thread interrupter([&] {
        while (!done) {
            std::error_code ignored;
            for (const auto &entry : fs::directory_iterator(downloads(), ignored))
                if (entry.file_size(ignored) >= 8192)
                    setCancelRequested(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    fs::create_directories(downloads());
    const int status = run({"get", "8", "-p", "3", "-s", kTestSpeed, "-o", downloads()});
    done = true;
    interrupter.join();
    EXPECT_EQ(status, kExitCancelled) << err_.str();
    EXPECT_TRUE(fs::is_empty(downloads())) << "neither the picture nor its working file is left";
    // The session was closed cleanly: the camera went back to its resting speed.
    EXPECT_NE(camera_->log().find("line speed now 19200"), std::string::npos);
    setCancelRequested(false);
    ASSERT_EQ(run({"get", "1", "-p", "3", "-s", kTestSpeed, "-o", downloads()}), kExitOk)
        << err_.str();
    EXPECT_EQ(readAll(downloaded(pictureName(1))), readAll(camera_->exportedPictures()[0]));
}

TEST_F(PdrcamRealCameraErase, OneLastAndAllKeepTheNumberingInStep) {
    startCamera();
    const auto served = camera_->exportedPictures();
    ASSERT_EQ(run({"erase", "2", "--yes", "-p", "3", "-s", kTestSpeed}), kExitOk) << err_.str();
    EXPECT_NE(out_.str().find("9 pictures remain"), std::string::npos) << out_.str();
    // The former picture 3 is picture 2 now.
    ASSERT_EQ(run({"get", "2", "-p", "3", "-s", kTestSpeed, "-o", downloads()}), kExitOk)
        << err_.str();
    EXPECT_EQ(readAll(downloaded(pictureName(2))), readAll(served[2]));

    ASSERT_EQ(run({"erase", "last", "--yes", "-p", "3", "-s", kTestSpeed}), kExitOk) << err_.str();
    EXPECT_NE(out_.str().find("8 pictures remain"), std::string::npos) << out_.str();
    ASSERT_EQ(run({"erase", "all", "--yes", "-p", "3", "-s", kTestSpeed}), kExitOk) << err_.str();
    EXPECT_NE(out_.str().find("0 pictures remain"), std::string::npos) << out_.str();
    ASSERT_EQ(run({"list", "-p", "3", "-s", kTestSpeed}), kExitOk) << err_.str();
    EXPECT_NE(out_.str().find("no pictures"), std::string::npos) << out_.str();
}

}  // namespace
}  // namespace pdrcam_test
