// The deadline and quiet-line logic on a virtual clock.
#include "timed_read.h"

#include <gtest/gtest.h>

#include "scripted_line.h"

using namespace std::chrono;

namespace comm32_test {
namespace {

class TimedReadTest : public ::testing::Test {
protected:
    int read(int count, int timeoutMs) {
        return comm32::readUntilDeadline(line, clock, buffer, count, milliseconds(timeoutMs));
    }
    VirtualClock clock;
    ScriptedLine line{clock};
    unsigned char buffer[64] = {};
};

TEST_F(TimedReadTest, GathersPiecesUntilCountIsComplete) {
    line.arrive(milliseconds(10), {1, 2});
    line.arrive(milliseconds(30), {3});
    line.arrive(milliseconds(60), {4, 5, 6});
    line.arrive(milliseconds(70), {7});
    EXPECT_EQ(read(6, 100), 6);
    EXPECT_EQ(clock.elapsed(), milliseconds(60)) << "returns as soon as the count is in";
    EXPECT_EQ(std::vector<unsigned char>(buffer, buffer + 6),
              (std::vector<unsigned char>{1, 2, 3, 4, 5, 6}));
}

TEST_F(TimedReadTest, OneDeadlineForTheWholeCallNotPerPiece) {
    line.arrive(milliseconds(40), {1});
    line.arrive(milliseconds(80), {2});
    line.arrive(milliseconds(120), {3});
    EXPECT_EQ(read(8, 100), 2);
    EXPECT_EQ(clock.elapsed(), milliseconds(100));
}

TEST_F(TimedReadTest, NothingArrivingGivesZeroAtTheDeadline) {
    EXPECT_EQ(read(4, 614), 0);
    EXPECT_EQ(clock.elapsed(), milliseconds(614));
}

TEST_F(TimedReadTest, NeverEndsBeforeTheDeadlineWhenBytesComeBetweenMilliseconds) {
    line.arrive(microseconds(10'300), {1});
    line.arrive(microseconds(55'700), {2});
    EXPECT_EQ(read(4, 100), 2);
    EXPECT_GE(clock.elapsed(), milliseconds(100));
    EXPECT_LT(clock.elapsed(), milliseconds(101));
}

TEST_F(TimedReadTest, ZeroOrNegativeTimeOutTakesOnlyWhatIsWaiting) {
    line.arrive(milliseconds(0), {9, 8});
    line.arrive(milliseconds(1), {7});
    EXPECT_EQ(read(4, -5), 2);
    EXPECT_EQ(clock.elapsed(), milliseconds(0));
    EXPECT_EQ(line.waits().front(), milliseconds(0));
}

TEST_F(TimedReadTest, HangUpEndsTheReadAtOnceWithWhatCame) {
    line.arrive(milliseconds(5), {1, 2});
    line.hangUpAt(milliseconds(20));
    EXPECT_EQ(read(8, 500), 2);
    EXPECT_EQ(clock.elapsed(), milliseconds(20));
}

TEST_F(TimedReadTest, NoRoomOrNoBufferReadsNothing) {
    line.arrive(milliseconds(0), {1});
    EXPECT_EQ(read(0, 100), 0);
    EXPECT_EQ(comm32::readUntilDeadline(line, clock, nullptr, 4, milliseconds(100)), 0);
    EXPECT_TRUE(line.waits().empty());
}

using QuietReadTest = TimedReadTest;

TEST_F(QuietReadTest, WindowScalesWithTheArgumentWithinBounds) {
    EXPECT_EQ(comm32::quietWindow(1), milliseconds(10));
    EXPECT_EQ(comm32::quietWindow(0), comm32::quietWindow(1));
    EXPECT_EQ(comm32::quietWindow(-3), comm32::quietWindow(1));
    EXPECT_EQ(comm32::quietWindow(4), milliseconds(40));
    EXPECT_EQ(comm32::quietWindow(1'000'000), seconds(1));
}

TEST_F(QuietReadTest, DrainsInChunksThenReportsQuietAfterOneWindow) {
    line.arrive(milliseconds(0), std::vector<unsigned char>(20, 0x42));
    line.arrive(milliseconds(8), {0x43});  // within the window: still talking
    const auto window = comm32::quietWindow(1);
    EXPECT_EQ(comm32::readUnlessQuiet(line, buffer, 15, window), 15);
    EXPECT_EQ(comm32::readUnlessQuiet(line, buffer, 15, window), 5);
    EXPECT_EQ(clock.elapsed(), milliseconds(0)) << "waiting bytes are taken without a wait";
    EXPECT_EQ(comm32::readUnlessQuiet(line, buffer, 15, window), 1);
    EXPECT_EQ(comm32::readUnlessQuiet(line, buffer, 15, window), 0);
    EXPECT_EQ(clock.elapsed(), milliseconds(8) + window);
}

TEST_F(QuietReadTest, ByteAfterTheWindowIsLeftForLater) {
    line.arrive(milliseconds(25), {1});
    EXPECT_EQ(comm32::readUnlessQuiet(line, buffer, 15, comm32::quietWindow(1)), 0);
    EXPECT_EQ(read(1, 100), 1);
}

TEST_F(QuietReadTest, FailedLineCountsAsQuiet) {
    line.hangUpAt(milliseconds(0));
    EXPECT_EQ(comm32::readUnlessQuiet(line, buffer, 15, comm32::quietWindow(1)), 0);
}

}  // namespace
}  // namespace comm32_test
