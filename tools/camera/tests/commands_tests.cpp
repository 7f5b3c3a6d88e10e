// The commands over a stand-in for the camera library: sessions, downloads,
// naming, skipping, failures, cancellation and erasing.
#include "cancel_request.h"
#include "commands.h"
#include "exit_codes.h"
#include "support/fake_camera_api.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace pdrcam_test {
namespace {

using namespace pdrcam;

class CommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetFakeCameraApi();
        api_ = fakeCameraApiTable();
        options_.outDir = folder_.path();
    }
    void TearDown() override { setCancelRequested(false); }

    void addPictures(int count, size_t firstSize = 5000) {
        for (int i = 0; i < count; ++i) {
            FakeApiPicture p;
            p.data = patternBytes(firstSize + static_cast<size_t>(i) * 3001, i + 1, true);
            p.thumbnail = patternBytes(14336, 100 + i, i % 2 == 0);
            p.group = i == 0 ? 0 : 100;
            fakeCameraApi().pictures.push_back(p);
        }
    }

    int run(Command command) {
        options_.command = command;
        Console console{out_,
                        err_,
                        progressBar_,
                        100,
                        [this](const std::string &q) {
                            questions_.push_back(q);
                            return answer_;
                        },
                        {},
                        false};
        return runCameraCommand(api_, options_, console);
    }

    bool called(const std::string &call) const {
        const auto &calls = fakeCameraApi().calls;
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }

    void expectSessionClosedLast() {
        ASSERT_FALSE(fakeCameraApi().calls.empty());
        EXPECT_EQ(fakeCameraApi().calls.back(), "session 0");
        EXPECT_FALSE(fakeCameraApi().sessionOpen);
    }

    CameraApi api_;
    Options options_;
    ScratchFolder folder_;
    std::ostringstream out_, err_;
    bool progressBar_ = false;
    bool answer_ = false;
    std::vector<std::string> questions_;
};

using PdrcamSessionTest = CommandsTest;
using PdrcamDownloadTest = CommandsTest;
using PdrcamEraseTest = CommandsTest;
using PdrcamReportTest = CommandsTest;

TEST_F(PdrcamSessionTest, SearchesPortsChoosesSpeedInstallsCallbackAndCloses) {
    addPictures(1);
    options_.speed = SpeedClass{18, 96000};
    ASSERT_EQ(run(Command::List), kExitOk) << err_.str();
    const auto &calls = fakeCameraApi().calls;
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0], "set_port 0");
    EXPECT_EQ(calls[1], "set_speed 18");
    EXPECT_EQ(calls[2], "session 1");
    EXPECT_NE(fakeCameraApi().callback, nullptr);
    expectSessionClosedLast();
}

TEST_F(PdrcamSessionTest, NoCameraFoundIsExplainedAndTheSessionStillClosed) {
    fakeCameraApi().cameraPort = 0;
    EXPECT_EQ(run(Command::Info), kExitNoCamera);
    EXPECT_NE(err_.str().find("pdrcam: no camera answered on ports 1 to 9"), std::string::npos)
        << err_.str();
    EXPECT_FALSE(called("session 1"));
    expectSessionClosedLast();
}

TEST_F(PdrcamSessionTest, PortTwoIsNotMistakenForErrorTwo) {
    fakeCameraApi().cameraPort = 2;
    options_.port = 2;
    EXPECT_EQ(run(Command::Info), kExitOk) << err_.str();
    EXPECT_TRUE(called("set_port 2"));
    EXPECT_NE(out_.str().find("Port:           2"), std::string::npos) << out_.str();
}

TEST_F(PdrcamSessionTest, FailedOpeningGivesTheLibrarysReason) {
    fakeCameraApi().openResult = CAM_ERR_OPEN;
    options_.port = 3;
    EXPECT_EQ(run(Command::List), kExitNoCamera);
    EXPECT_NE(err_.str().find("pdrcam: no camera answered on port 3"), std::string::npos)
        << err_.str();
    expectSessionClosedLast();
}

TEST_F(PdrcamDownloadTest, EveryPictureArrivesWhole) {
    addPictures(3);
    ASSERT_EQ(run(Command::Get), kExitOk) << err_.str();
    EXPECT_EQ(folder_.names(),
              (std::vector<std::string>{"PIC00001.JPG", "PIC00002.JPG", "PIC00003.JPG"}));
    for (int n = 1; n <= 3; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "PIC%05d.JPG", n);
        EXPECT_EQ(readAll(folder_.file(name)), fakeCameraApi().pictures[n - 1].data) << name;
    }
    EXPECT_NE(out_.str().find("3 written, 0 skipped, 0 failed"), std::string::npos) << out_.str();
    expectSessionClosedLast();
}

TEST_F(PdrcamDownloadTest, ChosenPicturesOnlyAndNonJpegContentNamedRaw) {
    addPictures(4);
    fakeCameraApi().pictures[3].data = patternBytes(3000, 9, false);
    fakeCameraApi().pictures[3].data[0] = 0;
    ASSERT_TRUE(parsePictureList("4,2", options_.selection));
    ASSERT_EQ(run(Command::Get), kExitOk) << err_.str();
    EXPECT_EQ(folder_.names(), (std::vector<std::string>{"PIC00002.JPG", "PIC00004.RAW"}));
    EXPECT_FALSE(called("picture 1"));
}

TEST_F(PdrcamDownloadTest, PictureNumberBeyondTheCountIsReportedOthersStillCome) {
    addPictures(2);
    ASSERT_TRUE(parsePictureList("2,7", options_.selection));
    EXPECT_EQ(run(Command::Get), kExitCameraError);
    EXPECT_NE(err_.str().find("no picture 7"), std::string::npos) << err_.str();
    EXPECT_EQ(folder_.names(), std::vector<std::string>{"PIC00002.JPG"});
    EXPECT_FALSE(called("picture 7"));
}

TEST_F(PdrcamDownloadTest, ThumbnailsNamedByTheirContent) {
    addPictures(2);  // thumbnail 1 is a JPEG, thumbnail 2 raw data
    options_.thumbnails = true;
    ASSERT_EQ(run(Command::Get), kExitOk) << err_.str();
    EXPECT_EQ(folder_.names(), (std::vector<std::string>{"PIC00001.JPG", "PIC00002.JPG",
                                                         "THM00001.JPG", "THM00002.RAW"}));
    EXPECT_EQ(readAll(folder_.file("THM00002.RAW")), fakeCameraApi().pictures[1].thumbnail);
}

TEST_F(PdrcamDownloadTest, ThumbnailWithoutStillIsReportedAndLeavesNoFile) {
    addPictures(1);
    options_.thumbnails = true;
    fakeCameraApi().failThumbnail[1] = 255;
    EXPECT_EQ(run(Command::Get), kExitCameraError);
    EXPECT_EQ(folder_.names(), std::vector<std::string>{"PIC00001.JPG"});
    EXPECT_NE(err_.str().find("still image"), std::string::npos) << err_.str();
}

TEST_F(PdrcamDownloadTest, ExistingFilesAreSkippedUnlessForced) {
    addPictures(2);
    const auto &pictures = fakeCameraApi().pictures;
    // The picture's size and kind of content: taken as the same picture.
    writeAll(folder_.file("PIC00001.JPG"), pictures[0].data);
    writeAll(folder_.file("PIC00002.JPG"), pictures[1].data);
    ASSERT_EQ(run(Command::Get), kExitOk) << err_.str();
    EXPECT_FALSE(called("picture 1"));
    EXPECT_FALSE(called("picture 2"));
    EXPECT_NE(out_.str().find("0 written, 2 skipped"), std::string::npos) << out_.str();

    options_.force = true;
    writeAll(folder_.file("PIC00001.JPG"), {'m', 'i', 'n', 'e'});
    ASSERT_EQ(run(Command::Get), kExitOk) << err_.str();
    EXPECT_EQ(readAll(folder_.file("PIC00001.JPG")), pictures[0].data);
}

// Files that only share the name (junk, an older picture of another size or
// kind) are kept; the picture takes the next free name, and a second run
// finds it there.
TEST_F(PdrcamDownloadTest, OtherFilesOfThePicturesNameAreKept) {
    addPictures(1);
    const auto &picture = fakeCameraApi().pictures[0].data;
    const std::vector<unsigned char> junk{'j', 'u', 'n', 'k', '!'};
    std::vector<unsigned char> sameSizeNotJpeg(picture.size(), 'x');
    const struct {
        std::vector<unsigned char> existing;
    } cases[] = {{junk},
                 {std::vector<unsigned char>(picture.begin(), picture.end() - 1)},
                 {sameSizeNotJpeg}};
    for (const auto &c : cases) {
        for (const std::string &name : folder_.names())
            std::remove(folder_.file(name).c_str());
        writeAll(folder_.file("PIC00001.JPG"), c.existing);
        ASSERT_EQ(run(Command::Get), kExitOk) << err_.str();
        EXPECT_EQ(readAll(folder_.file("PIC00001.JPG")), c.existing);
        EXPECT_EQ(readAll(folder_.file("PIC00001-2.JPG")), picture);
        fakeCameraApi().calls.clear();
        ASSERT_EQ(run(Command::Get), kExitOk) << err_.str();
        EXPECT_FALSE(called("picture 1"));
    }
}

TEST_F(PdrcamDownloadTest, FailedTransferKeepsNoPartAndGoesOnWithTheNext) {
    addPictures(3);
    fakeCameraApi().failPicture[2] = CAM_ERR_TIMEOUT;
    EXPECT_EQ(run(Command::Get), kExitCameraError) << err_.str();
    EXPECT_EQ(folder_.names(), (std::vector<std::string>{"PIC00001.JPG", "PIC00003.JPG"}));
    EXPECT_NE(err_.str().find("time-out"), std::string::npos) << err_.str();
    EXPECT_NE(err_.str().find("code 10"), std::string::npos) << err_.str();
    expectSessionClosedLast();
}

TEST_F(PdrcamDownloadTest, LostCameraStopsTheRun) {
    addPictures(3);
    fakeCameraApi().failPicture[1] = CAM_ERR_OPEN;
    EXPECT_EQ(run(Command::Get), kExitNoCamera);
    EXPECT_FALSE(called("picture 2"));
    EXPECT_TRUE(folder_.names().empty());
}

TEST_F(PdrcamDownloadTest, ShortTransferIsNeverGivenTheFinalName) {
    addPictures(1, 9000);
    fakeCameraApi().shortByBytes = 100;
    EXPECT_EQ(run(Command::Get), kExitCameraError);
    EXPECT_TRUE(folder_.names().empty());
    EXPECT_NE(err_.str().find("8900 of 9000"), std::string::npos) << err_.str();
}

TEST_F(PdrcamDownloadTest, CancelThroughTheCallbackLeavesNoFileAndClosesTheSession) {
    addPictures(3, 20000);
    fakeCameraApi().interruptAtPercent = 30;  // during picture 1
    EXPECT_EQ(run(Command::Get), kExitCancelled);
    EXPECT_TRUE(folder_.names().empty());
    EXPECT_FALSE(called("picture 2"));
    // The library asked once more after the request and was told to stop.
    const auto &seen = fakeCameraApi().progressSeen;
    ASSERT_FALSE(seen.empty());
    EXPECT_GE(seen.back(), 30);
    EXPECT_LT(seen.back(), 100);
    expectSessionClosedLast();
}

TEST_F(PdrcamDownloadTest, CancelAfterOnePictureKeepsTheCompleteOne) {
    addPictures(2, 20000);
    fakeCameraApi().interruptAtPercent =
        100;  // at the end of picture 1: the library then answers 19
    EXPECT_EQ(run(Command::Get), kExitCancelled);
    EXPECT_TRUE(folder_.names().empty()) << "a cancelled transfer is not kept, even at 100%";
    EXPECT_FALSE(called("picture 2"));
}

// What each download option leaves in the folder and on the camera.
TEST_F(PdrcamDownloadTest, OptionsChooseFilesAndErasing) {
    const struct {
        bool thumbnailsOnly, eraseAfter, quiet;
        std::string pattern;
        std::vector<std::string> files;
        size_t left;  // pictures left on the camera
    } cases[] = {
        {true, false, false, "", {"THM00001.JPG", "THM00002.RAW", "THM00003.JPG"}, 3},
        {false, true, false, "", {"PIC00001.JPG", "PIC00002.JPG", "PIC00003.JPG"}, 1},
        {false, false, true, "", {"PIC00001.JPG", "PIC00002.JPG", "PIC00003.JPG"}, 3},
        {false,
         false,
         false,
         "%m_%n.%e",
         {"PDR-M4_00001.JPG", "PDR-M4_00002.JPG", "PDR-M4_00003.JPG"},
         3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.files.front());
        resetFakeCameraApi();
        addPictures(3);
        const auto third = fakeCameraApi().pictures[2].data;
        ScratchFolder out;
        // A copy already there is skipped, so it stays on the camera.
        if (c.eraseAfter)
            writeAll(out.file("PIC00002.JPG"), fakeCameraApi().pictures[1].data);
        options_ = Options{};
        options_.outDir = out.path();
        options_.thumbnailsOnly = c.thumbnailsOnly;
        options_.eraseAfter = c.eraseAfter;
        options_.namePattern = c.pattern;
        out_.str("");
        Console console{out_, err_, false, 100, nullptr, {}, c.quiet};
        options_.command = Command::Get;
        ASSERT_EQ(runCameraCommand(api_, options_, console), kExitOk) << err_.str();
        EXPECT_EQ(out.names(), c.files);
        EXPECT_EQ(fakeCameraApi().pictures.size(), c.left);
        EXPECT_EQ(readAll(out.file(c.files[2])).empty(), false);
        if (c.eraseAfter) {
            EXPECT_EQ(readAll(out.file("PIC00003.JPG")), third);
        }
        EXPECT_EQ(out_.str().empty(), c.quiet) << out_.str();
    }
}

// How a get run ends and what its summary says: --new against the folder's
// record, a picture that cannot be compared, an erase after the download
// that fails, an empty camera.
TEST_F(PdrcamDownloadTest, SummarySaysWhatTheRunDid) {
    const struct {
        const char *name;
        bool fetchedBefore;  // an earlier run fetched every picture into the folder
        bool onlyNew, eraseAfter;
        int pictures;
        int countResult;  // -2: the camera counts the pictures it holds
        std::map<int, int> failErase;
        int status;
        std::vector<std::string> out;  // each somewhere in the output
        std::string err;               // in the errors; empty: no errors at all
    } cases[] = {
        {"new after a full run",
         true,
         true,
         false,
         3,
         -2,
         {},
         kExitOk,
         {"picture 1 was downloaded before, skipped\n", "picture 3 was downloaded before",
          "0 written, 3 skipped, 0 failed; 0 bytes"},
         ""},
        {"new into an empty folder",
         false,
         true,
         false,
         3,
         -2,
         {},
         kExitOk,
         {"3 written, 0 skipped, 0 failed;"},
         ""},
        // The camera counts a fourth picture it cannot deliver.
        {"new with a picture that cannot be compared",
         false,
         true,
         false,
         3,
         4,
         {},
         kExitCameraError,
         {"3 written, 0 skipped, 1 failed;"},
         "pdrcam: picture 4: cannot tell whether it is new: "},
        {"erase after the download refused",
         false,
         false,
         true,
         3,
         -2,
         {{1, CAM_ERR_OPEN}},
         kExitNoCamera,
         {"1 written, 0 skipped, 0 failed, 2 not tried;", "0 pictures erased from the camera\n"},
         "pdrcam: erasing picture 1 after its download: "},
        {"erase after each download",
         false,
         false,
         true,
         2,
         -2,
         {},
         kExitOk,
         {"2 written, 0 skipped, 0 failed;", "2 pictures erased from the camera\n"},
         ""},
        {"empty camera",
         false,
         false,
         false,
         0,
         -2,
         {},
         kExitOk,
         {"The camera holds no pictures.\n", "0 written, 0 skipped, 0 failed;"},
         ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        resetFakeCameraApi();
        addPictures(c.pictures);
        ScratchFolder out;
        options_ = Options{};
        options_.outDir = out.path();
        if (c.fetchedBefore) {
            ASSERT_EQ(run(Command::Get), kExitOk) << err_.str();
        }
        fakeCameraApi().countResult = c.countResult;
        fakeCameraApi().failErase = c.failErase;
        options_.onlyNew = c.onlyNew;
        options_.eraseAfter = c.eraseAfter;
        out_.str("");
        err_.str("");
        EXPECT_EQ(run(Command::Get), c.status) << err_.str();
        for (const std::string &text : c.out)
            EXPECT_NE(out_.str().find(text), std::string::npos) << text << "\n" << out_.str();
        if (c.err.empty())
            EXPECT_EQ(err_.str(), "");
        else
            EXPECT_NE(err_.str().find(c.err), std::string::npos) << err_.str();
        expectSessionClosedLast();
    }
}

// The bar is drawn to the terminal's width of the moment.
TEST_F(PdrcamDownloadTest, ProgressBarFollowsTheTerminalsWidth) {
    addPictures(1, 30000);
    int calls = 0;
    Console console{out_, err_, true, 100, nullptr, [&] { return ++calls < 4 ? 100 : 40; }, false};
    options_.command = Command::Get;
    ASSERT_EQ(runCameraCommand(api_, options_, console), kExitOk);
    std::vector<size_t> lengths;
    const std::string shown = out_.str();
    for (size_t at = shown.find('\r'); at != std::string::npos; at = shown.find('\r', at + 1)) {
        // A bar, not the line that reports the finished file.
        const size_t end = shown.find_first_of("\r\n", at + 1);
        if (shown.compare(at + 1, 8, "PIC00001") == 0 && end != std::string::npos &&
            shown[end] == '\r')
            lengths.push_back(shown.find_last_not_of(' ', end - 1) - at);
    }
    ASSERT_GE(lengths.size(), 5u) << shown;
    EXPECT_GT(lengths.front(), 39u);
    EXPECT_LE(lengths.back(), 39u);
}

TEST_F(PdrcamDownloadTest, ProgressBarOnlyOnATerminal) {
    addPictures(1, 30000);
    ASSERT_EQ(run(Command::Get), kExitOk);
    EXPECT_EQ(out_.str().find('\r'), std::string::npos);

    ScratchFolder other;
    options_.outDir = other.path();
    progressBar_ = true;
    out_.str("");
    ASSERT_EQ(run(Command::Get), kExitOk);
    const std::string shown = out_.str();
    EXPECT_NE(shown.find("\rPIC00001 (file 1 of 1) ["), std::string::npos) << shown;
    EXPECT_NE(shown.find("100%"), std::string::npos) << shown;
    EXPECT_NE(shown.find("/s"), std::string::npos) << shown;
    EXPECT_NE(shown.find("left"), std::string::npos) << shown;
}

TEST_F(PdrcamDownloadTest, OutputFolderIsCreatedButAFileInTheWayIsAnError) {
    addPictures(1);
    options_.outDir = folder_.file("new");
    ASSERT_EQ(run(Command::Get), kExitOk) << err_.str();
    EXPECT_EQ(readAll(folder_.file("new/PIC00001.JPG")), fakeCameraApi().pictures[0].data);

    writeAll(folder_.file("blocker"), {1});
    options_.outDir = folder_.file("blocker");
    EXPECT_EQ(run(Command::Get), kExitFileError);
    expectSessionClosedLast();
}

TEST_F(PdrcamDownloadTest, UnreadableDirectoryIsAnError) {
    fakeCameraApi().countResult = -1;
    EXPECT_EQ(run(Command::Get), kExitCameraError);
    EXPECT_NE(err_.str().find("code 4"), std::string::npos) << err_.str();
}

TEST_F(PdrcamEraseTest, DeclinedEraseTouchesNothing) {
    addPictures(3);
    options_.eraseTarget = EraseTarget::All;
    answer_ = false;
    EXPECT_EQ(run(Command::Erase), kExitNotConfirmed);
    ASSERT_EQ(questions_.size(), 1u);
    EXPECT_NE(questions_[0].find("all 3 pictures"), std::string::npos) << questions_[0];
    EXPECT_EQ(fakeCameraApi().pictures.size(), 3u);
    EXPECT_FALSE(called("erase_all"));
}

TEST_F(PdrcamEraseTest, ConfirmedOrYesErasesTheChosenPicture) {
    addPictures(3);
    const auto third = fakeCameraApi().pictures[2].data;
    options_.eraseTarget = EraseTarget::One;
    options_.eraseSelection.numbers = {2};
    answer_ = true;
    EXPECT_EQ(run(Command::Erase), kExitOk) << err_.str();
    EXPECT_TRUE(called("erase 2"));
    EXPECT_EQ(fakeCameraApi().pictures[1].data, third);
    EXPECT_NE(out_.str().find("2 pictures remain"), std::string::npos) << out_.str();

    options_.eraseTarget = EraseTarget::Last;
    options_.yes = true;
    questions_.clear();
    EXPECT_EQ(run(Command::Erase), kExitOk);
    EXPECT_TRUE(questions_.empty());
    EXPECT_EQ(fakeCameraApi().calls.end()[-3], "erase 2");
    EXPECT_EQ(fakeCameraApi().pictures.size(), 1u);
}

// Several numbers are erased as numbered at the start, whatever the order.
TEST_F(PdrcamEraseTest, NumbersFollowTheRenumberingOfEarlierErases) {
    addPictures(5);
    const auto pictures = fakeCameraApi().pictures;
    options_.eraseTarget = EraseTarget::One;
    options_.eraseSelection.numbers = {4, 2, 5};
    options_.yes = true;
    ASSERT_EQ(run(Command::Erase), kExitOk) << err_.str();
    ASSERT_EQ(fakeCameraApi().pictures.size(), 2u);
    EXPECT_EQ(fakeCameraApi().pictures[0].data, pictures[0].data);
    EXPECT_EQ(fakeCameraApi().pictures[1].data, pictures[2].data);
}

TEST_F(PdrcamEraseTest, NumberBeyondTheCountIsRefusedWithoutTraffic) {
    addPictures(2);
    options_.eraseTarget = EraseTarget::One;
    options_.eraseSelection.numbers = {5};
    options_.yes = true;
    EXPECT_EQ(run(Command::Erase), kExitCameraError);
    EXPECT_FALSE(called("erase 5"));
}

// What an erase asks before it touches anything, and how it ends on a
// camera without pictures; every case is declined, so nothing goes.
TEST_F(PdrcamEraseTest, QuestionNamesWhatGoesAndAnEmptyCameraHasNothing) {
    const struct {
        int pictures;
        EraseTarget target;
        std::vector<int> numbers;
        int status;
        std::vector<std::string> questions;
        const char *out;
    } cases[] = {
        {3,
         EraseTarget::One,
         {2},
         kExitNotConfirmed,
         {"Erase picture 2 of 3? [y/N] "},
         "Nothing erased.\n"},
        {3,
         EraseTarget::One,
         {3, 1},
         kExitNotConfirmed,
         {"Erase 2 pictures of 3? [y/N] "},
         "Nothing erased.\n"},
        {3,
         EraseTarget::Last,
         {},
         kExitNotConfirmed,
         {"Erase the last picture (number 3)? [y/N] "},
         "Nothing erased.\n"},
        {1,
         EraseTarget::All,
         {},
         kExitNotConfirmed,
         {"Erase all 1 picture? [y/N] "},
         "Nothing erased.\n"},
        // Numbers that name nothing are an error; "last" and "all" of
        // nothing are done at once.
        {0,
         EraseTarget::One,
         {1},
         kExitCameraError,
         {},
         "The camera holds no pictures; nothing to erase.\n"},
        {0,
         EraseTarget::Last,
         {},
         kExitOk,
         {},
         "The camera holds no pictures; nothing to erase.\n"},
        {0, EraseTarget::All, {}, kExitOk, {}, "The camera holds no pictures; nothing to erase.\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.out + std::string(" ") + std::to_string(c.pictures));
        resetFakeCameraApi();
        addPictures(c.pictures);
        options_.eraseTarget = c.target;
        options_.eraseSelection.numbers = c.numbers;
        answer_ = false;
        questions_.clear();
        out_.str("");
        EXPECT_EQ(run(Command::Erase), c.status) << err_.str();
        EXPECT_EQ(questions_, c.questions);
        EXPECT_EQ(out_.str(), c.out);
        EXPECT_EQ(fakeCameraApi().pictures.size(), static_cast<size_t>(c.pictures));
        expectSessionClosedLast();
    }
}

// A failure half-way says what is gone and, while the count still holds,
// what remains.
TEST_F(PdrcamEraseTest, FailureIsReportedWithWhatWasErased) {
    const struct {
        int code, status;
        const char *says;
    } cases[] = {
        {CAM_ERR_CAMERA, kExitCameraError,
         "not known to it; -v shows its status) (code 13); erased 1 of 2 pictures, 2 remain on "
         "the camera\n"},
        {CAM_ERR_PICTURES_CHANGED, kExitPicturesChanged,
         "changed during the run; list them again (code 21); erased 1 of 2 pictures\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        resetFakeCameraApi();
        addPictures(3);
        options_.eraseTarget = EraseTarget::One;
        options_.eraseSelection.numbers = {3, 1};  // picture 3 goes, then picture 1 fails
        options_.yes = true;
        fakeCameraApi().failErase[1] = c.code;
        err_.str("");
        EXPECT_EQ(run(Command::Erase), c.status);
        EXPECT_NE(err_.str().find(c.says), std::string::npos) << err_.str();
        EXPECT_EQ(fakeCameraApi().pictures.size(), 2u);
        expectSessionClosedLast();
    }
}

TEST_F(PdrcamReportTest, ListShowsNumberGroupSizeAndType) {
    addPictures(2);
    ASSERT_EQ(run(Command::List), kExitOk);
    std::istringstream lines(out_.str());
    std::string header, first, second, total;
    std::getline(lines, header);
    std::getline(lines, first);
    std::getline(lines, second);
    std::getline(lines, total);
    std::istringstream a(first), b(second);
    int n1, s1, t1, n2, s2, t2;
    std::string g1, g2;
    a >> n1 >> g1 >> s1 >> t1;
    b >> n2 >> g2 >> s2 >> t2;
    EXPECT_EQ(n1, 1);
    EXPECT_EQ(g1, "0");
    EXPECT_EQ(s1, static_cast<int>(fakeCameraApi().pictures[0].data.size()));
    EXPECT_EQ(t1, 1);
    EXPECT_EQ(n2, 2);
    EXPECT_EQ(g2, "other");
    EXPECT_EQ(s2, static_cast<int>(fakeCameraApi().pictures[1].data.size()));
    EXPECT_EQ(t2, 0);
    EXPECT_NE(total.find("2 pictures, " + std::to_string(s1 + s2) + " bytes"), std::string::npos)
        << total;
}

TEST_F(PdrcamReportTest, InfoShowsWhatTheCameraSays) {
    addPictures(4);
    ASSERT_EQ(run(Command::Info), kExitOk) << err_.str();
    const std::string text = out_.str();
    for (const char *expected :
         {"Maker:          Maker of the test", "Model:          PDR-M4", "Version:        V9.99",
          "Memory status:  -7", "Pictures:       4", "Line speed:     115200"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

}  // namespace
}  // namespace pdrcam_test
