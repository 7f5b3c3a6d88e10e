#include "command_parser.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace camsim_test {
namespace {

using namespace camsim;


TEST(CommandParser, AssemblesAPacketDeliveredByteByByte) {
    CommandParser parser;
    const Bytes cmd = pictureDataCommand(100, 2, 4096);
    for (size_t i = 0; i < cmd.size(); ++i) {
        EXPECT_FALSE(parser.next().has_value()) << "complete after only " << i << " bytes";
        parser.feed(&cmd[i], 1, 10 * i);
    }
    const auto packet = parser.next();
    ASSERT_TRUE(packet.has_value());
    EXPECT_EQ(packet->code, CMD_PICTURE_DATA);
    EXPECT_EQ(packet->subcode, 0);
    EXPECT_EQ(packet->params, Bytes(cmd.begin() + 4, cmd.end()));
    EXPECT_EQ(parser.pendingBytes(), 0u);
}

TEST(CommandParser, SplitsTwoPacketsArrivingTogether) {
    CommandParser parser;
    Bytes both = readyCommand();
    const Bytes erase = eraseCommand(101, 7);
    both.insert(both.end(), erase.begin(), erase.end());
    parser.feed(both.data(), both.size(), 0);
    const auto first = parser.next();
    const auto second = parser.next();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->code, CMD_READY);
    EXPECT_TRUE(first->params.empty());
    EXPECT_EQ(second->code, CMD_ERASE);
    EXPECT_EQ(second->subcode, 5);
    EXPECT_EQ(second->params, (Bytes{101, 0, 7, 0}));
    EXPECT_FALSE(parser.next().has_value());
}

TEST(CommandParser, SkipsNoiseThatAnnouncesAnImpossibleParameterCount) {
    CommandParser parser;
    // Junk whose would-be parameter counts (91 43, 43 05, 05 04) are impossible.
    Bytes stream = {0xA7, 0x3C, 0x91};
    const Bytes erase = eraseCommand(101, 7);
    stream.insert(stream.end(), erase.begin(), erase.end());
    parser.feed(stream.data(), stream.size(), 0);
    const auto packet = parser.next();
    ASSERT_TRUE(packet.has_value());
    EXPECT_EQ(packet->code, CMD_ERASE);
    EXPECT_EQ(packet->params, (Bytes{101, 0, 7, 0}));
    EXPECT_EQ(parser.discardedBytes(), 3u);
}

TEST(CommandParser, DropsAPartialPacketLeftIdleBeyondTheLimit) {
    CommandParser parser(50000);
    const Bytes partial = {0x17, 0x00, 0x08, 0x00, 0x64};  // waits for 8 parameter bytes
    parser.feed(partial.data(), partial.size(), 0);
    EXPECT_FALSE(parser.next().has_value());
    const Bytes ready = readyCommand();
    parser.feed(ready.data(), ready.size(), 100000);
    const auto packet = parser.next();
    ASSERT_TRUE(packet.has_value());
    EXPECT_EQ(packet->code, CMD_READY);
    EXPECT_EQ(parser.discardedBytes(), partial.size());
}

TEST(CommandParser, KeepsAPartialPacketWithinTheIdleLimit) {
    CommandParser parser(50000);
    const Bytes cmd = groupEntryCommand(100, 1);
    parser.feed(cmd.data(), 5, 0);
    parser.feed(cmd.data() + 5, cmd.size() - 5, 40000);
    const auto packet = parser.next();
    ASSERT_TRUE(packet.has_value());
    EXPECT_EQ(packet->code, CMD_GROUP_ENTRY);
    EXPECT_EQ(parser.discardedBytes(), 0u);
}

}  // namespace
}  // namespace camsim_test
