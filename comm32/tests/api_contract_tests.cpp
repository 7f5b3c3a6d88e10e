// The C functions with no port open: what the camera library does with -1
// before a port is chosen, and with ports it has not opened.
#include <gtest/gtest.h>

#include <chrono>

#include "comm32.h"

namespace comm32_test {
namespace {

TEST(ApiContractTest, EveryCallOnAPortNotOpenFails) {
    const unsigned char out[4] = {1, 2, 3, 4};
    for (int port : {-1, 0, 1, 9, 10, 0x7fffffff}) {
        unsigned char in[4] = {0xbd, 0xbd, 0xbd, 0xbd};
        EXPECT_EQ(ComWrite(port, out, 4), 0) << port;
        EXPECT_EQ(ComReadTimed(port, in, 4, 10), 0) << port;
        EXPECT_EQ(ComReadBufToQuiet(port, in, 4, 1), 0) << port;
        EXPECT_EQ(in[0], 0xbd) << port;
        EXPECT_EQ(ComSetBaud(port, 19200), 0) << port;
        EXPECT_EQ(ComSetFlow(port, 2), 0) << port;
        EXPECT_EQ(ComClose(port), 0) << port;
    }
}

TEST(ApiContractTest, OpenRefusesArgumentsOutsideTheContract) {
    EXPECT_LE(ComOpen("lpt", 1, 19200, 8, 1, 1, 4096, 4096), 0);
    EXPECT_LE(ComOpen(nullptr, 1, 19200, 8, 1, 1, 4096, 4096), 0);
    for (int port : {-1, 0, 10})
        EXPECT_LE(ComOpen("com", port, 19200, 8, 1, 1, 4096, 4096), 0) << port;
    EXPECT_LE(ComOpen("com", 1, -19200, 8, 1, 1, 4096, 4096), 0);
    EXPECT_EQ(ComClose(1), 0);
}

TEST(ApiContractTest, SleepPausesAtLeastTheTimeAsked) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ComSleepMS(-1, 30), 1);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
    EXPECT_EQ(ComSleepMS(1, -5), 1);
}

}  // namespace
}  // namespace comm32_test
