#include "program_options.h"

#include <gtest/gtest.h>

namespace camsim_test {
namespace {

using namespace pdrsim;

ProgramOptions parse(std::vector<const char *> args) {
    args.insert(args.begin(), "pdr-sim");
    return parseProgramOptions(static_cast<int>(args.size()), args.data());
}

TEST(ProgramOptions, DefaultsServeTheBuiltInSetOnAPseudoTerminal) {
    const ProgramOptions o = parse({});
    EXPECT_TRUE(o.device.empty());
    EXPECT_TRUE(o.pictures.empty());
    EXPECT_EQ(o.layout.firstGroup, 100);
    EXPECT_EQ(o.layout.perGroup, 9u);
    EXPECT_TRUE(o.faults.empty());
    EXPECT_FALSE(o.verbose);
}

TEST(ProgramOptions, ValuesBySpaceOrEqualsSign) {
    const ProgramOptions o =
        parse({"--pictures", "/data/pics", "--first-group=0", "--per-group", "4", "-v",
               "--thumbnails=avi", "--memory-status", "-1", "--maker=Acme", "--link", "/tmp/cam",
               "--start-speed", "115200"});
    EXPECT_EQ(o.pictures, "/data/pics");
    EXPECT_EQ(o.layout.firstGroup, 0);
    EXPECT_EQ(o.layout.perGroup, 4u);
    EXPECT_EQ(o.layout.thumbnails, camsim::ThumbnailMix::Avi);
    EXPECT_EQ(o.profile.memoryStatus, -1);
    EXPECT_EQ(o.profile.maker, "Acme");
    EXPECT_EQ(o.link, "/tmp/cam");
    EXPECT_EQ(o.profile.startSpeed, 115200u);
    EXPECT_TRUE(o.verbose);
}

TEST(ProgramOptions, FaultOptionsAccumulateInOrder) {
    const ProgramOptions o =
        parse({"--drop-header", "2", "--stall=0x17/1:10", "--refuse", "0x43/1:0x8b"});
    ASSERT_EQ(o.faults.size(), 3u);
    EXPECT_EQ(o.faults[0].kind, camsim::FaultKind::DropResponse);
    EXPECT_EQ(o.faults[1].kind, camsim::FaultKind::StallPayload);
    EXPECT_EQ(o.faults[1].stallAfter, 10u);
    EXPECT_EQ(o.faults[2].status, 0x8B);
}

TEST(ProgramOptions, MistakesAreUsageErrors) {
    EXPECT_THROW(parse({"--bogus"}), UsageError);
    EXPECT_THROW(parse({"--pictures"}), UsageError);
    EXPECT_THROW(parse({"--per-group", "0"}), UsageError);
    EXPECT_THROW(parse({"--memory-status", "40000"}), UsageError);
    EXPECT_THROW(parse({"--thumbnails", "gif"}), UsageError);
    EXPECT_THROW(parse({"--start-speed", "12345"}), UsageError);
    EXPECT_THROW(parse({"--busy", "1:xyz"}), UsageError);
    EXPECT_THROW(parse({"--device", "/dev/ttyS0", "--link", "/tmp/x"}), UsageError);
}

}  // namespace
}  // namespace camsim_test
