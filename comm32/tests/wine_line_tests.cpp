// The Win32 line through a Wine COM port that wine_com_peer.py links to a
// pseudo-terminal; the peer echoes, sends pieces on "PIECES" and reports the
// kernel's line speed on "SPEED?".
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include "comm32.h"

using Bytes = std::vector<unsigned char>;

namespace comm32_test {
namespace {

double elapsedMs(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

class WineLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char *chosen = std::getenv("COMM32_TEST_PORT");
        if (!chosen)
            GTEST_SKIP() << "run through wine_com_peer.py, which serves the port";
        port = std::atoi(chosen);
        ASSERT_EQ(ComOpen("com", port, 19200, 8, 1, 1, 4096, 4096), port);
        ASSERT_EQ(ComSetFlow(port, 2), 1);
    }
    void TearDown() override {
        if (port > 0) {
            EXPECT_EQ(ComClose(port), 1);
        }
    }
    void write(const std::string &text) {
        ASSERT_EQ(ComWrite(port, text.data(), static_cast<int>(text.size())),
                  static_cast<int>(text.size()));
    }
    Bytes read(int count, int timeoutMs) {
        Bytes got(static_cast<size_t>(count) + 16, 0xbd);
        const int n = ComReadTimed(port, got.data(), count, timeoutMs);
        EXPECT_EQ(got[static_cast<size_t>(count)], 0xbd) << "wrote past the count";
        got.resize(static_cast<size_t>(std::max(n, 0)));
        return got;
    }
    int port = 0;
};

TEST_F(WineLineTest, AllByteValuesGoOutAndComeBackUnchanged) {
    Bytes all(256);
    std::iota(all.begin(), all.end(), 0);
    ASSERT_EQ(ComWrite(port, all.data(), 256), 256);
    EXPECT_EQ(read(256, 2000), all);
}

TEST_F(WineLineTest, GathersAMessageThatArrivesInPieces) {
    write("PIECES");
    EXPECT_EQ(read(12, 2000), (Bytes{0, 0x80, 0x0d, 1, 0x81, 0x0d, 2, 0x82, 0x0d, 3, 0x83, 0x0d}));
}

TEST_F(WineLineTest, TimeOutGivesZeroOrThePartThatCame) {
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(read(4, 100).empty());
    EXPECT_GE(elapsedMs(start), 100.0);
    write("abc");
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(read(8, 100), (Bytes{'a', 'b', 'c'}));
    EXPECT_GE(elapsedMs(start), 100.0);
}

TEST_F(WineLineTest, ReadBufToQuietDrainsThenReportsQuiet) {
    const std::string sent(40, 'q');
    write(sent);
    EXPECT_EQ(read(1, 1000), Bytes{'q'});
    int drained = 1, last = -1;
    for (int calls = 0; calls < 10 && last != 0; ++calls) {
        unsigned char chunk[16];
        last = ComReadBufToQuiet(port, chunk, 15, 1);
        EXPECT_LE(last, 15);
        drained += std::max(last, 0);
    }
    EXPECT_EQ(drained, 40);
    EXPECT_EQ(last, 0);
}

unsigned kernelSpeed(int port) {
    const char ask[] = "SPEED?";
    unsigned char answer[4] = {};
    if (ComWrite(port, ask, 6) != 6 || ComReadTimed(port, answer, 4, 1000) != 4)
        return 0;
    return answer[0] | answer[1] << 8 | answer[2] << 16 | static_cast<unsigned>(answer[3]) << 24;
}

TEST_F(WineLineTest, StandardTableSpeedsAreSetOnTheDevice) {
    for (int speed : {9600, 19200, 38400, 57600, 115200, 230400}) {
        EXPECT_EQ(ComSetBaud(port, speed), 1) << speed;
        EXPECT_EQ(kernelSpeed(port), static_cast<unsigned>(speed));
    }
}

// Wine runs speeds without a termios constant through a custom divisor that a
// pty does not have; the library must then report failure, not success.
TEST_F(WineLineTest, NonStandardSpeedsAreReportedAsTheDeviceTookThem) {
    for (int speed : {48000, 64000, 96000}) {
        const int result = ComSetBaud(port, speed);
        const unsigned actual = kernelSpeed(port);
        std::printf("wine ComSetBaud(%d) = %d, device speed %u\n", speed, result, actual);
        EXPECT_EQ(result == 1, actual == static_cast<unsigned>(speed)) << speed;
    }
}

TEST_F(WineLineTest, DroppedModemLinesSurviveASpeedChange) {
    EXPECT_EQ(ComSetFlow(port, 0), 1);
    EXPECT_EQ(ComSetBaud(port, 57600), 1);
    EXPECT_EQ(ComSetFlow(port, 2), 1);
    write("ok");
    EXPECT_EQ(read(2, 1000), (Bytes{'o', 'k'}));
}

TEST_F(WineLineTest, IdentifiersNotOpenFailWithoutEffect) {
    const unsigned char out[4] = {1, 2, 3, 4};
    unsigned char in[4] = {0xbd, 0xbd, 0xbd, 0xbd};
    for (int other : {-1, 0, port == 1 ? 2 : 1, 10}) {
        EXPECT_EQ(ComWrite(other, out, 4), 0) << other;
        EXPECT_EQ(ComReadTimed(other, in, 4, 10), 0) << other;
        EXPECT_EQ(ComSetBaud(other, 9600), 0) << other;
        EXPECT_EQ(ComClose(other), 0) << other;
    }
    EXPECT_EQ(in[0], 0xbd);
    EXPECT_TRUE(read(4, 100).empty()) << "nothing went out, so nothing came back";
    EXPECT_EQ(kernelSpeed(port), 19200u);
}

TEST_F(WineLineTest, MeasuresReadTimeOuts) {
    for (int requested : {100, 614}) {
        constexpr int kRuns = 5;
        double total = 0, worst = 0;
        for (int run = 0; run < kRuns; ++run) {
            const auto start = std::chrono::steady_clock::now();
            EXPECT_TRUE(read(4, requested).empty());
            const double measured = elapsedMs(start);
            EXPECT_GE(measured, requested);
            total += measured;
            worst = std::max(worst, measured);
        }
        std::printf(
            "wine read time-out: requested %d ms, measured mean %.2f ms, max %.2f ms (%d runs)\n",
            requested, total / kRuns, worst, kRuns);
    }
}

}  // namespace
}  // namespace comm32_test
