// The pdr-sim program on a real pseudo-terminal, spoken to as a host would.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "file_test_support.h"
#include "line_speed.h"
#include "platform/unique_fd.h"

namespace camsim_test {
namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

const Bytes kReady = {0x10, 0x00, 0x00, 0x00};

// Starts pdr-sim with the given arguments and reads the line it prints.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string> &args) {
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            std::vector<char *> argv;
            std::string program = PDR_SIM_PATH;
            argv.push_back(program.data());
            std::vector<std::string> copy = args;
            for (auto &a : copy)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(out[1]);
        stdout_ = out[0];
        path_ = readLine(30000);  // generous: a sanitizer build generates its pictures slowly
    }

    ~SimProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (stdout_ >= 0)
            close(stdout_);
    }

    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    const std::string &path() const { return path_; }

    int signal(int number) { return kill(pid_, number); }

    // Sends the signal and returns the exit status (-1 if it did not end in 5 s).
    int stop(int signal) {
        kill(pid_, signal);
        for (int i = 0; i < 500; ++i) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            usleep(10000);
        }
        return -1;
    }

private:
    std::string readLine(int timeoutMs) {
        std::string line;
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (Clock::now() < deadline) {
            struct pollfd p = {stdout_, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0)
                continue;
            char c;
            if (read(stdout_, &c, 1) != 1)
                break;
            if (c == '\n')
                return line;
            line += c;
        }
        return line;
    }

    pid_t pid_ = -1;
    int stdout_ = -1;
    std::string path_;
};

// The host's side: the pty slave opened and set up with plain termios.
class HostLine {
public:
    explicit HostLine(const std::string &path) {
        fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0)
            return;
        struct termios t {};
        tcgetattr(fd_, &t);
        cfmakeraw(&t);
        cfsetispeed(&t, B19200);
        cfsetospeed(&t, B19200);
        t.c_cc[VMIN] = 0;
        t.c_cc[VTIME] = 0;
        tcsetattr(fd_, TCSANOW, &t);
    }
    ~HostLine() {
        if (fd_ >= 0)
            close(fd_);
    }
    HostLine(const HostLine &) = delete;
    HostLine &operator=(const HostLine &) = delete;

    bool valid() const { return fd_ >= 0; }
    int fd() const { return fd_; }

    void setClassicSpeed(speed_t code) {
        struct termios t {};
        ASSERT_EQ(tcgetattr(fd_, &t), 0);
        cfsetispeed(&t, code);
        cfsetospeed(&t, code);
        ASSERT_EQ(tcsetattr(fd_, TCSANOW, &t), 0);
    }

    void setSpeed(uint32_t bitsPerSecond) { ASSERT_TRUE(pdrsim::setLineSpeed(fd_, bitsPerSecond)); }

    // Writes the command and collects up to `expected` bytes; stops early after
    // `quietMs` without a byte once something came, or `timeoutMs` in all.
    Bytes ask(const Bytes &command, size_t expected, int timeoutMs = 3000) {
        EXPECT_EQ(write(fd_, command.data(), command.size()), static_cast<ssize_t>(command.size()));
        return collect(expected, timeoutMs);
    }

    Bytes collect(size_t expected, int timeoutMs) {
        Bytes out;
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (out.size() < expected && Clock::now() < deadline) {
            struct pollfd p = {fd_, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0)
                continue;
            uint8_t buffer[4096];
            const ssize_t n = read(fd_, buffer, sizeof buffer);
            if (n > 0)
                out.insert(out.end(), buffer, buffer + n);
        }
        return out;
    }

private:
    int fd_ = -1;
};

Bytes command(uint8_t code, uint8_t subcode, const Bytes &params = {}) {
    Bytes out = {code, subcode, static_cast<uint8_t>(params.size()), 0};
    out.insert(out.end(), params.begin(), params.end());
    return out;
}

Bytes pictureData(uint16_t group, uint16_t picture, uint32_t offset) {
    return command(0x17, 0,
                   {uint8_t(group), uint8_t(group >> 8), uint8_t(picture), uint8_t(picture >> 8),
                    uint8_t(offset), uint8_t(offset >> 8), uint8_t(offset >> 16),
                    uint8_t(offset >> 24)});
}

Bytes speed(uint8_t code) {
    return command(0x31, 5, {code, 0, 0, 0});
}

uint32_t le32(const Bytes &b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(PdrSimProgram, PrintsItsPathAndAnswersReadyAndMakerAt19200) {
    SimProcess sim({});
    ASSERT_EQ(sim.path().rfind("/dev/pts/", 0), 0u) << "printed: '" << sim.path() << "'";
    HostLine host(sim.path());
    ASSERT_TRUE(host.valid());
    EXPECT_EQ(host.ask(kReady, 4), kReady);
    const Bytes maker = host.ask(command(0x20, 0), 11);
    EXPECT_EQ(std::string(maker.begin(), maker.end()), std::string("\x20\x00\x07\x00Toshiba", 11));
    EXPECT_EQ(sim.stop(SIGTERM), 0);
}

TEST(PdrSimProgram, LeavesTheSlaveSoClassicSpeedChangesSetBothDirections) {
    SimProcess sim({});
    HostLine host(sim.path());
    ASSERT_TRUE(host.valid());
    for (const auto &[code, bps] :
         {std::pair<speed_t, uint32_t>{B38400, 38400}, {B115200, 115200}}) {
        host.setClassicSpeed(code);
        EXPECT_EQ(pdrsim::readLineSpeed(host.fd()), std::optional<uint32_t>(bps));
        EXPECT_EQ(pdrsim::readInputLineSpeed(host.fd()), std::optional<uint32_t>(bps));
    }
    // After a speed set by number the classic interface still works.
    host.setSpeed(64000);
    host.setClassicSpeed(B57600);
    EXPECT_EQ(pdrsim::readInputLineSpeed(host.fd()), std::optional<uint32_t>(57600));
}

TEST(PdrSimProgram, PacesOutputAtTenBitsPerByte) {
    SimProcess sim({});
    HostLine host(sim.path());
    ASSERT_TRUE(host.valid());
    for (const auto &[code, bps] : {std::pair<uint8_t, uint32_t>{2, 19200}, {5, 115200}}) {
        ASSERT_EQ(host.ask(speed(code), 4), (Bytes{0x31, 5, 0, 0}));
        host.setSpeed(bps);
        usleep(20000);
        const auto start = Clock::now();
        const Bytes piece = host.ask(pictureData(100, 1, 0), 2052, 5000);
        const double took = secondsSince(start);
        const double nominal = 2052 * 10.0 / bps;
        ASSERT_EQ(piece.size(), 2052u);
        std::cout << "2052 bytes at " << bps << " bit/s: " << took * 1000 << " ms (line time "
                  << nominal * 1000 << " ms)\n";
        // A pty would deliver at once; the camera must hold bytes back.
        EXPECT_GT(took, nominal * 0.5);
    }
}

TEST(PdrSimProgram, SpeedSwitchFollowsTheHostsTerminalSettings) {
    SimProcess sim({});
    HostLine host(sim.path());
    ASSERT_TRUE(host.valid());
    // 48000 has no classic B-constant: the camera must read it back exactly.
    EXPECT_EQ(host.ask(speed(16), 4), (Bytes{0x31, 5, 0, 0}));
    const Bytes garbled = host.ask(kReady, 4, 400);
    EXPECT_NE(garbled, kReady) << "host still at 19200 must not get a clean answer";
    usleep(100000);  // the camera forgets a half-heard packet
    host.setSpeed(48000);
    tcflush(host.fd(), TCIFLUSH);
    EXPECT_EQ(host.ask(kReady, 4), kReady);
    // Speed code 2 is acknowledged at 48000, then the camera rests at 19200.
    EXPECT_EQ(host.ask(speed(2), 4), (Bytes{0x31, 5, 0, 0}));
    host.setSpeed(19200);
    EXPECT_EQ(host.ask(kReady, 4), kReady);
}

TEST(PdrSimProgram, DownloadMatchesTheExportedFileByteForByte) {
    TempDir dir;
    SimProcess sim({"--export", dir.path().string()});
    HostLine host(sim.path());
    ASSERT_TRUE(host.valid());
    ASSERT_EQ(host.ask(speed(6), 4), (Bytes{0x31, 5, 0, 0}));
    host.setSpeed(230400);
    const Bytes groups = host.ask(command(0x14, 0), 4 + 8);
    ASSERT_EQ(groups.size(), 12u);
    const uint16_t lastGroup = groups[8] | (groups[9] << 8);
    const Bytes list =
        host.ask(command(0x15, 0, {uint8_t(lastGroup), uint8_t(lastGroup >> 8), 0, 0}), 4 + 4);
    ASSERT_EQ(list.size(), 8u);
    const uint16_t number = list[4] | (list[5] << 8);
    const Bytes info = host.ask(
        command(0x15, 0, {uint8_t(lastGroup), uint8_t(lastGroup >> 8), uint8_t(number), 0}),
        4 + 32);
    ASSERT_GE(info.size(), 24u);
    const uint32_t size = le32(info, 4 + 16);

    Bytes data;
    const auto start = Clock::now();
    while (data.size() < size) {
        const size_t piece = std::min<size_t>(2048, size - data.size());
        const Bytes answer =
            host.ask(pictureData(lastGroup, number, static_cast<uint32_t>(data.size())), 4 + piece);
        ASSERT_EQ(answer.size(), 4 + piece) << "at offset " << data.size();
        data.insert(data.end(), answer.begin() + 4, answer.end());
    }
    std::cout << size << " bytes downloaded at 230400 bit/s in " << secondsSince(start) * 1000
              << " ms\n";
    char name[32];
    std::snprintf(name, sizeof name, "010_%03u_%04u.jpg", lastGroup, number);
    EXPECT_EQ(data, readBytes(dir.path() / name));
}

TEST(PdrSimProgram, FaultOptionsShapeTheAnswers) {
    SimProcess sim({"--drop-header", "0x10/1", "--refuse", "0x20/1:0x8a"});
    HostLine host(sim.path());
    ASSERT_TRUE(host.valid());
    EXPECT_TRUE(host.ask(kReady, 4, 300).empty());
    EXPECT_EQ(host.ask(kReady, 4), kReady);
    EXPECT_EQ(host.ask(command(0x20, 0), 4), (Bytes{0x20, 0x8A, 0, 0}));
    EXPECT_EQ(host.ask(command(0x20, 0), 11).size(), 11u);
}

TEST(PdrSimProgram, LinkExistsWhileRunningAndGoesAtSigintAndSigterm) {
    TempDir dir;
    for (int signal : {SIGINT, SIGTERM}) {
        const auto link = dir.path() / "camera";
        SimProcess sim({"--link", link.string()});
        ASSERT_FALSE(sim.path().empty());
        EXPECT_EQ(std::filesystem::read_symlink(link).string(), sim.path());
        HostLine host(link.string());
        EXPECT_EQ(host.ask(kReady, 4), kReady);
        EXPECT_EQ(sim.stop(signal), 0);
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)))
            << "signal " << signal;
    }
}

// SIGHUP while an answer goes out (a full piece takes about a second at
// 19200): that answer comes whole from the old set. The folder is read again
// beside the serving; once the new set is in place, the next command other
// than the ready probe gets status 137, and the new set answers.
TEST(PdrSimProgram, SighupLetsTheAnswerFinishThenRereadsTheFolderAndGives137) {
    TempDir dir;
    Bytes jpeg(3000, 0x5A);
    jpeg[0] = 0xFF, jpeg[1] = 0xD8, jpeg[2998] = 0xFF, jpeg[2999] = 0xD9;
    writeBytes(dir.path() / "a.jpg", jpeg);
    writeBytes(dir.path() / "b.jpg", jpeg);
    SimProcess sim({"--pictures", dir.path().string()});
    HostLine host(sim.path());
    ASSERT_TRUE(host.valid());
    const Bytes listGroup100 = command(0x15, 0, {100, 0, 0, 0});
    EXPECT_EQ(host.ask(listGroup100, 12).size(), 12u);

    writeBytes(dir.path() / "c.jpg", jpeg);
    const Bytes request = pictureData(100, 1, 0);
    ASSERT_EQ(write(host.fd(), request.data(), request.size()), 12);
    ASSERT_EQ(sim.signal(SIGHUP), 0);
    Bytes expected = {0x17, 0x00, 0x00, 0x08};
    expected.insert(expected.end(), jpeg.begin(), jpeg.begin() + 2048);
    EXPECT_EQ(host.collect(expected.size(), 5000), expected);

    // The packet-size setting answers with a header alone, 137 or not.
    const Bytes setting = command(0x30, 5, {0, 8, 0, 0});
    Bytes answer;
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    do {
        answer = host.ask(setting, 4);
        ASSERT_EQ(answer.size(), 4u);
    } while (answer[1] == 0x05 && Clock::now() < deadline);
    EXPECT_EQ(answer, (Bytes{0x30, 0x89, 0, 0}));
    EXPECT_EQ(host.ask(listGroup100, 16).size(), 16u);  // three picture records now
}

TEST(PdrSimProgram, ServesAGivenSerialDevice) {
    // The test plays the wire: the camera gets the pty's slave as its device.
    const platform::UniqueFd masterFd(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
    const int master = masterFd.Get();
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string slave = ptsname(master);
    {
        SimProcess sim({"--device", slave});
        EXPECT_EQ(sim.path(), slave);
        const Bytes probe = kReady;
        ASSERT_EQ(write(master, probe.data(), probe.size()), 4);
        Bytes answer;
        const auto deadline = Clock::now() + std::chrono::seconds(3);
        while (answer.size() < 4 && Clock::now() < deadline) {
            struct pollfd p = {master, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0)
                continue;
            uint8_t buffer[64];
            const ssize_t n = read(master, buffer, sizeof buffer);
            if (n > 0)
                answer.insert(answer.end(), buffer, buffer + n);
        }
        EXPECT_EQ(answer, kReady);
        EXPECT_EQ(sim.stop(SIGTERM), 0);
    }
}

TEST(PdrSimProgram, HelpAndBadOptions) {
    const auto help = runCommand(std::string(PDR_SIM_PATH) + " --help");
    EXPECT_EQ(WEXITSTATUS(help.status), 0);
    EXPECT_NE(help.output.find("--pictures"), std::string::npos);
    EXPECT_NE(help.output.find("--drop-header"), std::string::npos);
    const auto bad = runCommand(std::string(PDR_SIM_PATH) + " --bogus");
    EXPECT_EQ(WEXITSTATUS(bad.status), 2);
    const auto badFault =
        runCommand(std::string(PDR_SIM_PATH) + " --stall 3");
    EXPECT_EQ(WEXITSTATUS(badFault.status), 2);
    const auto noFolder =
        runCommand(std::string(PDR_SIM_PATH) + " --pictures /nonexistent/x");
    EXPECT_EQ(WEXITSTATUS(noFolder.status), 1);
}

}  // namespace
}  // namespace camsim_test
