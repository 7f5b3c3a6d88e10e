#include "fault_option.h"

#include <gtest/gtest.h>

namespace camsim_test {
namespace {

using namespace camsim;

TEST(FaultOption, PlainOrdinalCountsEveryCommand) {
    const Fault f = parseFaultOption(FaultKind::DropResponse, "3");
    EXPECT_EQ(f.ordinal, 3u);
    EXPECT_EQ(f.times, 1u);
    EXPECT_FALSE(f.command.has_value());
}

TEST(FaultOption, CodeTimesAndArgumentAreRead) {
    const Fault stall = parseFaultOption(FaultKind::StallPayload, "0x17/2*3:100");
    EXPECT_EQ(stall.command, std::optional<uint8_t>(0x17));
    EXPECT_EQ(stall.ordinal, 2u);
    EXPECT_EQ(stall.times, 3u);
    EXPECT_EQ(stall.stallAfter, 100u);

    EXPECT_EQ(parseFaultOption(FaultKind::Refuse, "1:0x8a").status, 0x8A);
    EXPECT_EQ(parseFaultOption(FaultKind::Refuse, "1:202").status, 202);
    EXPECT_EQ(parseFaultOption(FaultKind::Busy, "32/1:00ff41").payload,
              (std::vector<uint8_t>{0x00, 0xFF, 0x41}));
    EXPECT_EQ(parseFaultOption(FaultKind::Busy, "32/1").command, std::optional<uint8_t>(32));
    EXPECT_FALSE(parseFaultOption(FaultKind::Busy, "1").payload.has_value());
}

TEST(FaultOption, PictureChangeCountsPictureDataRequestsByDefault) {
    EXPECT_EQ(parseFaultOption(FaultKind::ChangePictures, "4").command,
              std::optional<uint8_t>(0x17));
    EXPECT_EQ(parseFaultOption(FaultKind::ChangePictures, "0x16/1").command,
              std::optional<uint8_t>(0x16));
    EXPECT_EQ(parseFaultOption(FaultKind::ChangePictures, "4").vanishes, Vanishing::Last);
    EXPECT_EQ(parseFaultOption(FaultKind::ChangePictures, "4:before").vanishes, Vanishing::Before);
    EXPECT_EQ(parseFaultOption(FaultKind::ChangePictures, "4:current").vanishes,
              Vanishing::Current);
    EXPECT_EQ(parseFaultOption(FaultKind::ChangePictures, "0x17/4:after").vanishes,
              Vanishing::After);
    EXPECT_THROW(parseFaultOption(FaultKind::ChangePictures, "4:first"), std::invalid_argument);
}

TEST(FaultOption, MalformedOptionsAreRejected) {
    for (const char *bad : {"", "0", "x", "-1", "2*0", "0x100/1", "1:5"}) {
        EXPECT_THROW(parseFaultOption(FaultKind::Refuse, bad), std::invalid_argument)
            << "'" << bad << "'";
    }
    EXPECT_THROW(parseFaultOption(FaultKind::StallPayload, "1"), std::invalid_argument);
    EXPECT_THROW(parseFaultOption(FaultKind::Busy, "1:abc"), std::invalid_argument);
    EXPECT_THROW(parseFaultOption(FaultKind::Busy, "1:zz"), std::invalid_argument);
    EXPECT_THROW(parseFaultOption(FaultKind::WrongCode, "1:3"), std::invalid_argument);
}

}  // namespace
}  // namespace camsim_test
