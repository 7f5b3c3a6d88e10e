// pdrcam as a separate process against the simulated camera, under the
// faults and misuse a user meets: signals during a download, Ctrl-C at the
// erase question, a full disk, a camera that goes away or was left at a fast
// speed, two programs on one port, working files of a killed run, and the
// messages a wrong port or folder gives.
#include "pdrcam_process.h"
#include "simulated_camera.h"
#include "support/scratch_folder.h"

#include "prerequisite.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace pdrcam_test {
namespace {

constexpr const char *kSpeed = "230400";

class PdrcamProcessTest : public ::testing::Test {
protected:
    void startCamera(const std::vector<std::string> &simArgs = {}) {
        camera_ = std::make_unique<SimulatedCamera>(work_.file("served"), simArgs);
        ASSERT_TRUE(camera_->started()) << camera_->log();
    }

    // pdrcam with port 3 pointed at the simulator (or at `device`).
    std::unique_ptr<PdrcamProcess> start(std::vector<std::string> args,
                                         const std::string &device = {}) {
        std::vector<std::string> command{PDRCAM_PATH};
        command.insert(command.end(), args.begin(), args.end());
        return startCommand(command, device);
    }

    std::unique_ptr<PdrcamProcess> startCommand(const std::vector<std::string> &command,
                                                const std::string &device = {},
                                                std::vector<std::string> environment = {}) {
        const std::string port = !device.empty() ? device : camera_ ? camera_->ptyPath() : "";
        environment.push_back("COMM32_PORT3=" + port);
        environment.push_back(std::string("LD_LIBRARY_PATH=") + PELTRIX_DIR);
        return std::make_unique<PdrcamProcess>(command, environment);
    }

    std::string folder(const std::string &name) {
        const std::string path = work_.file(name);
        fs::create_directories(path);
        return path;
    }

    // Waits until a working file of `stem` has grown past `bytes`.
    static bool transferUnderWay(const std::string &path, const std::string &stem,
                                 uintmax_t bytes = 4096) {
        return eventually(20, [&] {
            for (const auto &entry : fs::directory_iterator(path))
                if (entry.path().filename().string().rfind("." + stem, 0) == 0 &&
                    entry.file_size() > bytes)
                    return true;
            return false;
        });
    }

    size_t logged(const std::string &text) const {
        const std::string log = camera_->log();
        size_t count = 0;
        for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
            ++count;
        return count;
    }

    ScratchFolder work_;
    std::unique_ptr<SimulatedCamera> camera_;
};

// Each signal ends a download like Ctrl-C: the working file removed, the
// camera sent back to its resting speed, the signal's own exit status.
TEST_F(PdrcamProcessTest, SignalsDuringADownloadLeaveNoFileAndCloseTheSession) {
    const struct {
        int signalNumber;
        int status;
    } cases[] = {{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}};
    startCamera();
    for (const auto &c : cases) {
        SCOPED_TRACE(strsignal(c.signalNumber));
        const std::string out = folder("signal" + std::to_string(c.signalNumber));
        auto pdrcam = start({"get", "8", "-p", "3", "-s", kSpeed, "-o", out});
        ASSERT_TRUE(transferUnderWay(out, "PIC00008")) << pdrcam->terminal();
        pdrcam->signal(c.signalNumber);
        EXPECT_EQ(pdrcam->wait(), c.status) << pdrcam->terminal();
        EXPECT_TRUE(downloadedNames(out).empty());
        const std::string log = camera_->log();
        EXPECT_NE(log.rfind("line speed now 19200"), std::string::npos);
        EXPECT_GT(log.rfind("line speed now 19200"), log.rfind("line speed now 230400"));
    }
}

TEST_F(PdrcamProcessTest, CtrlCAtTheEraseQuestionErasesNothing) {
    startCamera();
    auto pdrcam = start({"erase", "last", "-p", "3", "-s", kSpeed});
    ASSERT_TRUE(pdrcam->waitForTerminal("[y/N]")) << pdrcam->terminal();
    // The question is on the terminal, not in the output a script captures.
    EXPECT_EQ(pdrcam->output().find("Erase"), std::string::npos) << pdrcam->output();
    pdrcam->type("\x03");
    EXPECT_EQ(pdrcam->wait(), 130) << pdrcam->terminal();
    EXPECT_EQ(logged("erase"), 0u) << camera_->log();
    EXPECT_NE(pdrcam->terminal().find("nothing erased"), std::string::npos);
}

TEST_F(PdrcamProcessTest, EraseAllFailingHalfWaySaysWhatIsGoneAndWhatRemains) {
    startCamera({"--refuse", "0x43/4:0x85"});
    auto pdrcam = start({"erase", "all", "-y", "-p", "3", "-s", kSpeed});
    EXPECT_EQ(pdrcam->wait(), 1);
    EXPECT_NE(pdrcam->terminal().find("erased 3 of 10 pictures, 7 remain"), std::string::npos)
        << pdrcam->terminal();
}

TEST_F(PdrcamProcessTest, WorkingFilesOfDeadRunsAreRemoved) {
    startCamera();
    const std::string out = folder("stale");
    const pid_t dead = fork();
    if (dead == 0)
        _exit(0);
    waitpid(dead, nullptr, 0);
    const std::string deadFile = ".PIC00004." + std::to_string(dead) + ".part";
    const std::string liveFile = ".PIC00004." + std::to_string(getpid()) + ".part";
    writeAll(out + "/" + deadFile, {1, 2, 3});
    writeAll(out + "/" + liveFile, {1, 2, 3});
    auto pdrcam = start({"get", "1", "-p", "3", "-s", kSpeed, "-o", out});
    EXPECT_EQ(pdrcam->wait(), 0) << pdrcam->terminal();
    EXPECT_EQ(downloadedNames(out), (std::vector<std::string>{liveFile, "PIC00001.JPG"}));
}

// A small file system of its own, in a mount namespace of pdrcam's own, so
// that nothing of the machine's is touched: the first picture fits, the
// second does not.
TEST_F(PdrcamProcessTest, FullDiskStopsTheRunWithTheSystemsReason) {
    const bool canMount = geteuid() == 0 && std::system("unshare -m true >/dev/null 2>&1") == 0;
    REQUIRE_PREREQUISITE(canMount, "root and unshare -m, for a small tmpfs");
    startCamera();
    const std::string out = folder("full");
    auto pdrcam = startCommand({"/usr/bin/unshare", "-m", "/bin/sh", "-c",
                                "mount -t tmpfs -o size=24k pdrcam-full \"$0\" && exec \"$@\"", out,
                                PDRCAM_PATH, "get", "-p", "3", "-s", kSpeed, "-o", out});
    EXPECT_EQ(pdrcam->wait(), 5) << pdrcam->terminal();
    EXPECT_NE(pdrcam->terminal().find("pdrcam: PIC00002 (picture 2): cannot write"),
              std::string::npos)
        << pdrcam->terminal();
    EXPECT_NE(pdrcam->terminal().find("No space left on device"), std::string::npos);
    EXPECT_NE(pdrcam->output().find("1 written, 0 skipped, 1 failed, 8 not tried"),
              std::string::npos)
        << pdrcam->output();
    // Nothing of picture 3 or later went over the line.
    EXPECT_EQ(logged("thumbnail"), 0u);
    EXPECT_LT(logged("picture-data"), 30u);
}

TEST_F(PdrcamProcessTest, CameraGoingAwayStopsTheRunWithNoCamera) {
    startCamera();
    const std::string out = folder("gone");
    auto pdrcam = start({"get", "-p", "3", "-s", kSpeed, "-o", out});
    ASSERT_TRUE(transferUnderWay(out, "PIC00003")) << pdrcam->terminal();
    camera_->stop();
    EXPECT_EQ(pdrcam->wait(), 3) << pdrcam->terminal();
    EXPECT_NE(pdrcam->output().find("not tried"), std::string::npos) << pdrcam->output();
    const std::string text = pdrcam->terminal();
    size_t lines = 0;
    for (size_t at = text.find("pdrcam:"); at != std::string::npos;
         at = text.find("pdrcam:", at + 1))
        ++lines;
    EXPECT_LE(lines, 2u) << text;
}

TEST_F(PdrcamProcessTest, CameraLeftAtAFastSpeedIsBroughtBack) {
    startCamera({"--start-speed", "115200"});
    auto pdrcam = start({"info", "-p", "3", "-s", kSpeed});
    EXPECT_EQ(pdrcam->wait(), 0) << pdrcam->terminal();
    EXPECT_NE(pdrcam->output().find("Pictures:       10"), std::string::npos);
    const std::string log = camera_->log();
    EXPECT_NE(log.find("line speed now 19200"), std::string::npos) << log;
    EXPECT_NE(log.rfind("line speed now 19200"), log.find("line speed now 19200"));
}

TEST_F(PdrcamProcessTest, SecondProgramOnAPortInUseIsRefusedAndTheFirstGoesOn) {
    startCamera();
    const std::string out = folder("first");
    auto first = start({"get", "8", "-p", "3", "-s", kSpeed, "-o", out});
    ASSERT_TRUE(transferUnderWay(out, "PIC00008"));
    auto second = start({"info", "-p", "3", "-s", kSpeed});
    EXPECT_EQ(second->wait(), 3);
    EXPECT_NE(second->terminal().find("pdrcam: port 3 is in use"), std::string::npos)
        << second->terminal();
    EXPECT_EQ(first->wait(), 0) << first->terminal();
    EXPECT_EQ(readAll(out + "/PIC00008.JPG"), readAll(camera_->exportedPictures().at(7)));
}

// Each written file shows in a pipe at once, while the next still comes.
TEST_F(PdrcamProcessTest, OutputInAPipeComesALineAtATime) {
    startCamera();
    auto pdrcam = start({"get", "1,8", "-p", "3", "-s", kSpeed, "-o", folder("pipe")});
    ASSERT_TRUE(pdrcam->waitForOutput("PIC00001.JPG")) << pdrcam->terminal();
    EXPECT_TRUE(pdrcam->running());
    EXPECT_EQ(pdrcam->wait(), 0);
}

TEST_F(PdrcamProcessTest, MessagesNameWhatWentWrong) {
    writeAll(work_.file("a-file"), {1});
    const struct {
        std::vector<std::string> simArgs;
        std::vector<std::string> args;
        std::string device;
        int status;
        std::string message;
    } cases[] = {
        {{},
         {"info", "-p", "3"},
         "/nonexistent/tty",
         3,
         "pdrcam: cannot open port 3 (/nonexistent/tty): No such file or directory"},
        {{},
         {"info", "--port", "/nonexistent/tty"},
         "",
         3,
         "pdrcam: cannot open port 1 (/nonexistent/tty): No such file or directory"},
        {{},
         {"get", "-p", "3", "-s", kSpeed, "-o", work_.file("a-file")},
         "",
         5,
         "pdrcam: cannot use the output folder: " + work_.file("a-file") + ": Not a directory"},
        // A picture erased on the camera during the run: picture 10 is gone,
        // and the numbers after picture 1 are not used.
        {{"--change-after", "1"},
         {"get", "1,10", "-p", "3", "-s", kSpeed, "-o", folder("gone")},
         "",
         7,
         "pdrcam: PIC00010 (picture 10): the pictures on the camera changed during the run; list "
         "them again (code 21)"},
        {{"--refuse", "0x14/1:0x86"},
         {"list", "-p", "3", "-s", kSpeed},
         "",
         1,
         "pdrcam: reading the picture directory: the camera refused the command"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        camera_.reset();
        startCamera(c.simArgs);
        auto pdrcam = start(c.args, c.device);
        EXPECT_EQ(pdrcam->wait(), c.status);
        EXPECT_NE(pdrcam->terminal().find(c.message), std::string::npos) << pdrcam->terminal();
    }
}

// After the camera's picture set changed (pictures erased on the camera,
// others added), --new fetches only the pictures never downloaded before.
TEST_F(PdrcamProcessTest, NewFetchesOnlyPicturesNotDownloadedBefore) {
    const std::string pictures = folder("camera-card");
    startCamera();
    const std::string out = folder("new");
    auto first = start({"get", "1-3", "-p", "3", "-s", kSpeed, "-o", out});
    ASSERT_EQ(first->wait(), 0) << first->terminal();
    // The camera now holds pictures 2 to 5 of the first set, numbered 1 to 4.
    std::vector<std::vector<unsigned char>> served;
    for (const std::string &path : camera_->exportedPictures())
        served.push_back(readAll(path));
    for (size_t i = 1; i < 5; ++i)
        writeAll(pictures + "/" + std::to_string(i) + ".jpg", served[i]);
    camera_.reset();
    fs::remove_all(work_.file("served"));
    startCamera({"--pictures", pictures});
    for (const char *name : {"PIC00001.JPG", "PIC00002.JPG"})
        fs::remove(out + "/" + name);  // moved away by the user
    auto again = start({"get", "--new", "-p", "3", "-s", kSpeed, "-o", out});
    ASSERT_EQ(again->wait(), 0) << again->terminal();
    EXPECT_NE(again->output().find("2 written, 2 skipped"), std::string::npos) << again->output();
    // The new picture 3 does not replace the earlier, different PIC00003.JPG.
    EXPECT_EQ(readAll(out + "/PIC00003.JPG"), served[2]);
    EXPECT_EQ(readAll(out + "/PIC00003-2.JPG"), served[3]);
    EXPECT_EQ(readAll(out + "/PIC00004.JPG"), served[4]);
}

// Pictures erased on the camera while `get --erase-after` runs (counted in
// picture-data requests: picture 1 takes 9, so the 12th is the third piece
// of picture 2). Every file written is the whole picture of its name, only
// downloaded pictures are erased, and pdrcam says the pictures changed.
class PdrcamPicturesChangeTest : public PdrcamProcessTest {
protected:
    // Pictures erased on the camera, as "group/number", from its log.
    std::vector<std::string> erasedOnTheLine() const {
        std::vector<std::string> erased;
        std::istringstream log(camera_->log());
        for (std::string line; std::getline(log, line);) {
            unsigned g0, g1, p0, p1;
            if (std::sscanf(line.c_str(), "pdr-sim: erase %*x %*x %x %x %x %x -> 43 05", &g0, &g1,
                            &p0, &p1) == 4 &&
                line.find("-> 43 05") != std::string::npos)
                erased.push_back(std::to_string(g0 | g1 << 8) + "/" + std::to_string(p0 | p1 << 8));
        }
        return erased;
    }

    // The downloaded pictures' numbers; each file must be that picture whole.
    std::vector<int> wholePictures(const std::string &out) const {
        std::vector<int> numbers;
        const auto served = camera_->exportedPictures();
        for (const std::string &name : downloadedNames(out)) {
            int n = 0;
            EXPECT_EQ(std::sscanf(name.c_str(), "PIC%5d.JPG", &n), 1) << name;
            if (n < 1 || n > static_cast<int>(served.size()))
                continue;
            EXPECT_EQ(readAll(out + "/" + name), readAll(served[n - 1])) << name;
            numbers.push_back(n);
        }
        return numbers;
    }
};

TEST_F(PdrcamPicturesChangeTest, GetWithEraseAfterKeepsWholeFilesAndErasesOnlyWhatItHas) {
    const std::string changed = "the pictures on the camera changed during the run; list them again";
    const struct {
        const char *change;
        const char *pictures;
        int status;
        std::vector<int> files;
        std::vector<std::string> erased;
        const char *summary;
    } cases[] = {
        // Picture 2 itself goes: its half is dropped, nothing more is asked for.
        {"12:current", "all", 7, {1}, {"100/1"}, "1 written, 0 skipped, 1 failed, 8 not tried"},
        // Picture 3 goes: picture 2 is finished, but not erased by a stale number.
        {"12:after", "all", 7, {1, 2}, {"100/1"}, "2 written, 0 skipped, 0 failed, 8 not tried"},
        // Picture 3, never downloaded, goes under picture 4: nothing is erased.
        {"3:before", "4,5", 7, {4}, {}, "1 written, 0 skipped, 0 failed, 1 not tried"},
        // Nothing is left before picture 2 (picture 1 was erased): status 137
        // without a change, and the run goes on.
        {"12:before", "1-3", 0, {1, 2, 3}, {"100/1", "100/2", "100/3"},
         "3 written, 0 skipped, 0 failed;"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.change);
        camera_.reset();
        startCamera({"--change-after", c.change});
        const std::string out = folder(std::string("change-") + c.change);
        auto pdrcam = start({"get", c.pictures, "--erase-after", "-p", "3", "-s", kSpeed, "-o", out});
        EXPECT_EQ(pdrcam->wait(), c.status) << pdrcam->terminal();
        EXPECT_EQ(pdrcam->terminal().find(changed) != std::string::npos, c.status == 7)
            << pdrcam->terminal();
        EXPECT_NE(pdrcam->output().find(c.summary), std::string::npos) << pdrcam->output();
        EXPECT_EQ(wholePictures(out), c.files);
        EXPECT_EQ(erasedOnTheLine(), c.erased);
    }
}

// The camera's own change, as SIGHUP to the simulator while picture 3
// comes: its set is built again as it was at the start (about a third of a
// second of work), so the pictures pdrcam erased are back. The answers under
// way are not held up by the rebuild (no lost or cut answer on the line),
// and the run ends as above.
TEST_F(PdrcamPicturesChangeTest, SighupDuringADownloadStopsTheRunCleanly) {
    startCamera();
    const std::string out = folder("sighup");
    auto pdrcam = start({"get", "all", "--erase-after", "-p", "3", "-s", kSpeed, "-o", out});
    ASSERT_TRUE(transferUnderWay(out, "PIC00003")) << pdrcam->terminal();
    camera_->signal(SIGHUP);
    EXPECT_EQ(pdrcam->wait(), 7) << pdrcam->terminal();
    const std::string terminal = pdrcam->terminal();
    EXPECT_NE(terminal.find("the pictures on the camera changed during the run; list them again"),
              std::string::npos)
        << terminal;
    EXPECT_EQ(terminal.find("(code 4)"), std::string::npos) << terminal;
    EXPECT_EQ(terminal.find("(code 10)"), std::string::npos) << terminal;
    const std::vector<int> files = wholePictures(out);
    ASSERT_GE(files.size(), 3u);
    // Erased: the pictures downloaded, but for the last at most (its erase
    // may be the first call to learn of the change).
    std::vector<std::string> downloaded;
    for (int n : files)
        downloaded.push_back("100/" + std::to_string(n));
    const std::vector<std::string> erased = erasedOnTheLine();
    ASSERT_LE(erased.size(), downloaded.size());
    EXPECT_GE(erased.size() + 1, downloaded.size());
    EXPECT_EQ(erased, std::vector<std::string>(downloaded.begin(),
                                               downloaded.begin() + erased.size()));
}

// Two cameras behind ports 3 and 6, nothing behind the others.
TEST_F(PdrcamProcessTest, DetectListsEveryPortWhereACameraAnswers) {
    startCamera();
    SimulatedCamera other(work_.file("served-other"), {"--maker", "Acme", "--version-text", "V2"});
    ASSERT_TRUE(other.started());
    std::vector<std::string> ports;
    for (int port : {1, 2, 4, 5, 7, 8, 9})
        ports.push_back("COMM32_PORT" + std::to_string(port) + "=/nonexistent/port");
    ports.push_back("COMM32_PORT6=" + other.ptyPath());
    auto pdrcam = startCommand({PDRCAM_PATH, "detect"}, {}, ports);
    EXPECT_EQ(pdrcam->wait(), 0) << pdrcam->terminal();
    EXPECT_EQ(pdrcam->output(), "Port 3 (" + camera_->ptyPath() +
                                    "): Toshiba PDR-M4, version V1.05\nPort 6 (" + other.ptyPath() +
                                    "): Acme PDR-M4, version V2\n");
}

// The trace shows each command and each answer's header with the time.
TEST_F(PdrcamProcessTest, DebugTraceShowsTheLine) {
    startCamera();
    const std::string logfile = work_.file("trace.log");
    auto toFile = start({"info", "-p", "3", "-s", kSpeed, "--debug-logfile", logfile});
    EXPECT_EQ(toFile->wait(), 0) << toFile->terminal();
    auto toTerminal = start({"list", "-p", "3", "-s", kSpeed, "-v"});
    EXPECT_EQ(toTerminal->wait(), 0) << toTerminal->terminal();
    const auto bytes = readAll(logfile);
    const std::string trace(bytes.begin(), bytes.end());
    for (const std::string &text : {trace, toTerminal->terminal()}) {
        SCOPED_TRACE(text);
        // The ready probe out, its answer header back, the speed switch.
        EXPECT_NE(text.find("com3 write      4 10 00 00 00"), std::string::npos);
        EXPECT_NE(text.find("com3 read       4 10 00"), std::string::npos);
        EXPECT_NE(text.find("com3 speed 230400"), std::string::npos);
        EXPECT_EQ(text.find(":"), 2u);
    }
    EXPECT_EQ(toTerminal->output().find("com3"), std::string::npos);
}

}  // namespace
}  // namespace pdrcam_test
