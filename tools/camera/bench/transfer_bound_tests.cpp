#include "transfer_bound.h"

#include <gtest/gtest.h>

namespace pdrcam_test {
namespace {

using namespace pdrcam_bench;

TEST(PdrcamTransferBound, LineTimeIsTenBitsPerByte) {
    EXPECT_DOUBLE_EQ(lineSeconds(11520, 115200), 1.0);
    EXPECT_DOUBLE_EQ(lineSeconds(960, 9600), 1.0);
}

TEST(PdrcamTransferBound, FullPiecesCostOneExchangeEach) {
    // Two pieces: 2 x (12 + 4 + 2048 bytes at 115200); the 10 ms pause
    // passes while the 178 ms payload arrives.
    const double piece = (12 + 4 + 2048) * 10.0 / 115200;
    EXPECT_NEAR(pictureBoundSeconds(4096, 115200), 2 * piece, 1e-12);
}

TEST(PdrcamTransferBound, ShortLastPieceIsAskedForFourTimes) {
    const double full = (12 + 4 + 2048) * 10.0 / 19200;
    const double last = (12 + 4 + 904) * 10.0 / 19200;
    EXPECT_NEAR(pictureBoundSeconds(5000, 19200), 2 * full + 4 * last, 1e-12);
    EXPECT_DOUBLE_EQ(pictureBoundSeconds(0, 19200), 0.0);
}

TEST(PdrcamTransferBound, PauseCountsWhereThePayloadIsShort) {
    // 32 bytes take 2.8 ms at 115200: the 10 ms pause is what counts.
    EXPECT_NEAR(directoryBoundSeconds({}, 115200), (4 + 4) * 10.0 / 115200 + 0.010, 1e-12);
}

TEST(PdrcamTransferBound, DirectoryReadPausesHalfASecondPerGroup) {
    const double fast = directoryBoundSeconds({9, 1}, 1000000000);
    // Line time is negligible here: two group pauses plus 1 + 2 + 10 header pauses.
    EXPECT_NEAR(fast, 2 * 0.5 + 13 * 0.010, 1e-4);
    EXPECT_GT(directoryBoundSeconds({9, 1}, 9600), fast);
}

}  // namespace
}  // namespace pdrcam_test
