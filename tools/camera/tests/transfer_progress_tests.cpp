#include "transfer_progress.h"

#include <gtest/gtest.h>

namespace pdrcam_test {
namespace {

using namespace pdrcam;

TEST(PdrcamProgressArithmetic, BytesFromPercentRoundDownAndClamp) {
    EXPECT_EQ(bytesForPercent(5000, 40), 2000u);
    EXPECT_EQ(bytesForPercent(5000, 81), 4050u);
    EXPECT_EQ(bytesForPercent(999, 50), 499u);
    EXPECT_EQ(bytesForPercent(5000, 100), 5000u);
    EXPECT_EQ(bytesForPercent(5000, 130), 5000u);
    EXPECT_EQ(bytesForPercent(5000, -3), 0u);
    EXPECT_EQ(bytesForPercent(0, 50), 0u);
}

TEST(PdrcamProgressArithmetic, RateNeedsElapsedTime) {
    EXPECT_FALSE(transferRate(100, 0).has_value());
    ASSERT_TRUE(transferRate(11520, 2.0).has_value());
    EXPECT_DOUBLE_EQ(*transferRate(11520, 2.0), 5760.0);
}

TEST(PdrcamProgressArithmetic, TimeLeftFollowsTheRateSoFar) {
    // A quarter done in 3 s: three quarters more take 9 s.
    ASSERT_TRUE(secondsLeft(2500, 10000, 3.0).has_value());
    EXPECT_DOUBLE_EQ(*secondsLeft(2500, 10000, 3.0), 9.0);
    EXPECT_DOUBLE_EQ(*secondsLeft(10000, 10000, 3.0), 0.0);
    EXPECT_FALSE(secondsLeft(0, 10000, 3.0).has_value());
    EXPECT_FALSE(secondsLeft(100, 10000, 0.0).has_value());
}

TEST(PdrcamProgressFormatting, BytesRatesAndDurations) {
    EXPECT_EQ(formatBytes(0), "0 B");
    EXPECT_EQ(formatBytes(1023), "1023 B");
    EXPECT_EQ(formatBytes(1536), "1.5 KB");
    EXPECT_EQ(formatBytes(3 * 1024 * 1024 + 512 * 1024), "3.50 MB");
    EXPECT_EQ(formatRate(std::nullopt), "--");
    EXPECT_EQ(formatRate(11520.0), "11.2 KB/s");
    EXPECT_EQ(formatDuration(std::nullopt), "--:--");
    EXPECT_EQ(formatDuration(0.0), "0:00");
    EXPECT_EQ(formatDuration(6.2), "0:07");
    EXPECT_EQ(formatDuration(754.0), "12:34");
    EXPECT_EQ(formatDuration(3723.0), "1:02:03");
}

TEST(PdrcamProgressLine, ShowsLabelBarPercentRateAndTimeLeft) {
    ProgressState state{"PIC00001", 20480, 50, 2.0};
    const std::string line = renderProgressLine(state, 100);
    EXPECT_EQ(line.rfind("PIC00001 [", 0), 0u) << line;
    EXPECT_NE(line.find(" 50%"), std::string::npos) << line;
    EXPECT_NE(line.find("10.0 KB"), std::string::npos) << line;  // done
    EXPECT_NE(line.find("5.0 KB/s"), std::string::npos) << line;
    EXPECT_NE(line.find("0:02 left"), std::string::npos) << line;
    const size_t open = line.find('['), close = line.find(']');
    const std::string bar = line.substr(open + 1, close - open - 1);
    EXPECT_EQ(std::count(bar.begin(), bar.end(), '#'), static_cast<long>(bar.size() / 2)) << bar;
}

TEST(PdrcamProgressLine, NeverWrapsANarrowTerminal) {
    ProgressState state{"PIC00001", 100000, 99, 10.0};
    for (int width : {20, 40, 60, 80, 200}) {
        const std::string line = renderProgressLine(state, width);
        EXPECT_LT(static_cast<int>(line.size()), width) << width;
        EXPECT_EQ(line.find('\n'), std::string::npos);
    }
    EXPECT_EQ(renderProgressLine(state, 40).find('['), std::string::npos) << "no room for a bar";
}

TEST(PdrcamProgressLine, FullAndEmptyBars) {
    ProgressState done{"X", 100, 100, 1.0};
    ProgressState start{"X", 100, 0, 0.0};
    const std::string full = renderProgressLine(done, 120);
    const std::string empty = renderProgressLine(start, 120);
    EXPECT_EQ(std::count(empty.begin(), empty.end(), '#'), 0);
    EXPECT_NE(empty.find("--:-- left"), std::string::npos) << empty;
    const std::string bar = full.substr(full.find('[') + 1, full.find(']') - full.find('[') - 1);
    EXPECT_EQ(bar.find('.'), std::string::npos) << bar;
}

TEST(PdrcamProgressLine, DoneLineGivesSizeTimeAndRate) {
    EXPECT_EQ(renderDoneLine("PIC00002.JPG", 10240, 2.0),
              "PIC00002.JPG 10.0 KB in 2.0 s (5.0 KB/s)");
}

}  // namespace
}  // namespace pdrcam_test
