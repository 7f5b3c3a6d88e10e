// The eight C functions over a real pseudo-terminal: the test holds the
// master and plays the device at the other end.
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <numeric>
#include <thread>

#include "comm32.h"
#include "pty_peer.h"

using Bytes = std::vector<unsigned char>;

namespace comm32_test {
namespace {

constexpr int kPort = 3;

double elapsedMs(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

class PtyLineTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(ComOpen("com", kPort, 19200, 8, 1, 1, 4096, 4096), kPort); }
    void TearDown() override {
        for (int port = 1; port <= 9; ++port)
            ComClose(port);
    }
    Bytes read(int count, int timeoutMs) {
        Bytes got(static_cast<size_t>(count) + 16, 0xbd);
        const int n = ComReadTimed(kPort, got.data(), count, timeoutMs);
        EXPECT_LE(n, count);
        EXPECT_EQ(got[static_cast<size_t>(count)], 0xbd) << "wrote past the count";
        got.resize(static_cast<size_t>(std::max(n, 0)));
        return got;
    }
    PtyPeer peer{kPort};
};

Bytes everyByteValue() {
    Bytes all(256);
    std::iota(all.begin(), all.end(), 0);
    return all;
}

TEST_F(PtyLineTest, AllByteValuesGoOutUnchanged) {
    const Bytes all = everyByteValue();
    EXPECT_EQ(ComWrite(kPort, all.data(), 256), 256);
    EXPECT_EQ(peer.receive(), all);
}

TEST_F(PtyLineTest, AllByteValuesComeInUnchangedAndAreNotEchoed) {
    const Bytes all = everyByteValue();
    peer.send(all);
    EXPECT_EQ(read(256, 1000), all);
    EXPECT_TRUE(peer.receive(30).empty()) << "raw mode: nothing echoed back";
}

TEST_F(PtyLineTest, LineIsRawEightNOne) {
    const int fd = open(peer.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    termios t{};
    ASSERT_EQ(tcgetattr(fd, &t), 0);
    close(fd);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | IXON | IXOFF | ISTRIP), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CS8));
}

TEST_F(PtyLineTest, GathersAMessageThatArrivesInPieces) {
    std::thread sender([this] {
        for (unsigned char piece = 0; piece < 4; ++piece) {
            std::this_thread::sleep_for(std::chrono::milliseconds(15));
            peer.send({piece, static_cast<unsigned char>(piece + 0x80), 0x0d});
        }
    });
    const Bytes got = read(12, 2000);
    sender.join();
    EXPECT_EQ(got, (Bytes{0, 0x80, 0x0d, 1, 0x81, 0x0d, 2, 0x82, 0x0d, 3, 0x83, 0x0d}));
}

TEST_F(PtyLineTest, TimeOutGivesZeroOrThePartThatCame) {
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(read(4, 100).empty());
    EXPECT_GE(elapsedMs(start), 100.0);
    peer.send({1, 2, 3});
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(read(8, 100), (Bytes{1, 2, 3}));
    EXPECT_GE(elapsedMs(start), 100.0);
}

TEST_F(PtyLineTest, ReadBufToQuietDrainsThenReportsQuiet) {
    Bytes sent(40);
    std::iota(sent.begin(), sent.end(), 100);
    peer.send(sent);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    Bytes drained;
    std::vector<int> results;
    for (int calls = 0; calls < 10; ++calls) {
        unsigned char chunk[16];
        const int n = ComReadBufToQuiet(kPort, chunk, 15, 1);
        results.push_back(n);
        if (n <= 0)
            break;
        EXPECT_LE(n, 15);
        drained.insert(drained.end(), chunk, chunk + n);
    }
    EXPECT_EQ(drained, sent);
    EXPECT_EQ(results.back(), 0);
    EXPECT_TRUE(read(1, 0).empty());
}

TEST_F(PtyLineTest, OpenDiscardsWhatWasWaitingBefore) {
    ASSERT_EQ(ComClose(kPort), 1);
    peer.send({0x55, 0x66});
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(ComOpen("com", kPort, 19200, 8, 1, 1, 4096, 4096), kPort);
    EXPECT_TRUE(read(2, 50).empty());
}

// The speed table of the camera protocol, standard and non-standard speeds.
const int kTableSpeeds[] = {9600, 19200, 38400, 57600, 115200, 230400, 48000, 64000, 96000};

TEST_F(PtyLineTest, EveryTableSpeedIsSetAndReadBackByTheKernel) {
    for (int speed : kTableSpeeds) {
        EXPECT_EQ(ComSetBaud(kPort, speed), 1) << speed;
        unsigned input = 0, output = 0;
        ASSERT_TRUE(readKernelSpeeds(peer.slavePath(), &input, &output));
        EXPECT_EQ(output, static_cast<unsigned>(speed));
        EXPECT_EQ(input, static_cast<unsigned>(speed));
    }
}

TEST_F(PtyLineTest, StandardSpeedsUseTheirOwnCodes) {
    const std::pair<int, speed_t> named[] = {{9600, B9600}, {57600, B57600}, {230400, B230400}};
    for (auto [speed, code] : named) {
        ASSERT_EQ(ComSetBaud(kPort, speed), 1);
        const int fd = open(peer.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios t{};
        ASSERT_EQ(tcgetattr(fd, &t), 0);
        close(fd);
        EXPECT_EQ(cfgetospeed(&t), code) << speed;
    }
}

TEST_F(PtyLineTest, OpenAtNonStandardSpeedAndRefuseNonsense) {
    ComClose(kPort);
    ASSERT_EQ(ComOpen("com", kPort, 48000, 8, 1, 1, 4096, 4096), kPort);
    unsigned input = 0, output = 0;
    ASSERT_TRUE(readKernelSpeeds(peer.slavePath(), &input, &output));
    EXPECT_EQ(output, 48000u);
    EXPECT_EQ(ComSetBaud(kPort, 0), 0);
    EXPECT_EQ(ComSetBaud(kPort, -9600), 0);
    ASSERT_TRUE(readKernelSpeeds(peer.slavePath(), &input, &output));
    EXPECT_EQ(output, 48000u) << "a refused speed leaves the line as it was";
}

TEST_F(PtyLineTest, FlowModeTwoIsAcceptedOnALineWithoutModemControl) {
    EXPECT_EQ(ComSetFlow(kPort, 2), 1);
    EXPECT_EQ(ComSetFlow(kPort, 0), 1);
    EXPECT_EQ(ComSetFlow(kPort, 7), 0);
    peer.send({0x42});
    EXPECT_EQ(read(1, 500), Bytes{0x42}) << "the line still works";
}

TEST_F(PtyLineTest, IdentifiersNotOpenFailWithoutEffect) {
    peer.send({7, 8, 9});
    const unsigned char out[4] = {1, 2, 3, 4};
    unsigned char in[4] = {0xbd, 0xbd, 0xbd, 0xbd};
    for (int other : {-1, 0, 1, 5, 9, 10}) {
        EXPECT_EQ(ComWrite(other, out, 4), 0) << other;
        EXPECT_EQ(ComReadTimed(other, in, 4, 20), 0) << other;
        EXPECT_EQ(ComReadBufToQuiet(other, in, 4, 1), 0) << other;
        EXPECT_EQ(ComSetBaud(other, 9600), 0) << other;
        EXPECT_EQ(ComSetFlow(other, 2), 0) << other;
        EXPECT_EQ(ComClose(other), 0) << other;
    }
    EXPECT_EQ(in[0], 0xbd) << "buffer untouched";
    EXPECT_TRUE(peer.receive(30).empty()) << "nothing was sent";
    EXPECT_EQ(read(3, 500), (Bytes{7, 8, 9})) << "the open port kept its bytes";
    unsigned input = 0, output = 0;
    ASSERT_TRUE(readKernelSpeeds(peer.slavePath(), &input, &output));
    EXPECT_EQ(output, 19200u);
}

TEST_F(PtyLineTest, SecondOpenOfAnOpenPortFailsAndKeepsTheFirst) {
    EXPECT_LE(ComOpen("com", kPort, 19200, 8, 1, 1, 4096, 4096), 0);
    peer.send({0x31});
    EXPECT_EQ(read(1, 500), Bytes{0x31});
}

// Another opening of the same device (here through a second port number, as
// a second program would) is refused while the line is in use.
TEST_F(PtyLineTest, DeviceInUseIsRefusedUntilClosed) {
    setenv("COMM32_PORT5", getenv("COMM32_PORT3"), 1);
    EXPECT_LE(ComOpen("com", 5, 19200, 8, 1, 1, 4096, 4096), 0);
    EXPECT_EQ(ComClose(kPort), 1);
    EXPECT_EQ(ComOpen("com", 5, 19200, 8, 1, 1, 4096, 4096), 5);
    unsetenv("COMM32_PORT5");
}

TEST_F(PtyLineTest, CloseClosesOnce) {
    EXPECT_EQ(ComClose(kPort), 1);
    EXPECT_EQ(ComClose(kPort), 0);
    const unsigned char byte = 1;
    EXPECT_EQ(ComWrite(kPort, &byte, 1), 0);
}

TEST(PtyPortMappingTest, PortsOneToNineEachOpenTheirOwnDevice) {
    std::vector<std::unique_ptr<PtyPeer>> peers;
    for (int port = 1; port <= 9; ++port)
        peers.push_back(std::make_unique<PtyPeer>(port));
    for (int port = 1; port <= 9; ++port) {
        EXPECT_EQ(ComOpen("COM", port, 19200, 8, 1, 1, 4096, 4096), port);
        const unsigned char tag = static_cast<unsigned char>(0xa0 + port);
        EXPECT_EQ(ComWrite(port, &tag, 1), 1);
    }
    for (int port = 1; port <= 9; ++port) {
        EXPECT_EQ(peers[port - 1]->receive(), Bytes{static_cast<unsigned char>(0xa0 + port)})
            << port;
        EXPECT_EQ(ComClose(port), 1);
    }
}

TEST(PtyOpenFailureTest, MissingDeviceOrNoTerminalOrBadArgumentsFail) {
    setenv("COMM32_PORT4", "/nonexistent/tty-for-comm32", 1);
    EXPECT_LE(ComOpen("com", 4, 19200, 8, 1, 1, 4096, 4096), 0);
    setenv("COMM32_PORT4", "/dev/null", 1);
    EXPECT_LE(ComOpen("com", 4, 19200, 8, 1, 1, 4096, 4096), 0);
    unsetenv("COMM32_PORT4");
    EXPECT_EQ(ComClose(4), 0) << "a failed open leaves nothing open";

    PtyPeer peer(6);
    EXPECT_LE(ComOpen("lpt", 6, 19200, 8, 1, 1, 4096, 4096), 0);
    EXPECT_LE(ComOpen(nullptr, 6, 19200, 8, 1, 1, 4096, 4096), 0);
    EXPECT_LE(ComOpen("com", 6, 0, 8, 1, 1, 4096, 4096), 0);
    EXPECT_LE(ComOpen("com", 10, 19200, 8, 1, 1, 4096, 4096), 0);
    EXPECT_LE(ComOpen("com", 0, 19200, 8, 1, 1, 4096, 4096), 0);
    EXPECT_EQ(ComClose(6), 0);
}

// Not a check of speed: prints requested against measured time-outs.
TEST(PtyTimeoutAccuracyTest, MeasuresReadTimeOuts) {
    PtyPeer peer(kPort);
    ASSERT_EQ(ComOpen("com", kPort, 19200, 8, 1, 1, 4096, 4096), kPort);
    for (int requested : {100, 614}) {
        constexpr int kRuns = 5;
        double total = 0, worst = 0;
        for (int run = 0; run < kRuns; ++run) {
            unsigned char buffer[4];
            const auto start = std::chrono::steady_clock::now();
            EXPECT_EQ(ComReadTimed(kPort, buffer, 4, requested), 0);
            const double measured = elapsedMs(start);
            EXPECT_GE(measured, requested);
            total += measured;
            worst = std::max(worst, measured);
        }
        std::printf(
            "posix read time-out: requested %d ms, measured mean %.2f ms, max %.2f ms (%d runs)\n",
            requested, total / kRuns, worst, kRuns);
        ::testing::Test::RecordProperty("timeout_" + std::to_string(requested) + "_mean_ms",
                                        std::to_string(total / kRuns));
    }
    EXPECT_EQ(ComClose(kPort), 1);
}

}  // namespace
}  // namespace comm32_test
