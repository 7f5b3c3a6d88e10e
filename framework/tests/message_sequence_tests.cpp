// Matching of recorded message sequences against expected tables: exact
// entries, optional ones, wildcards, sequences too short or too long, and the
// printout that marks where they part.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "message_sequence.h"

namespace fw_test {

using namespace ::testsupport;

namespace {

// The platform's numbers for the messages used here; this test builds
// without the platform's headers.
constexpr unsigned kCommand = 0x0111;  // WM_COMMAND
constexpr unsigned kTimer = 0x0113;    // WM_TIMER
constexpr unsigned kCard = 0x8005;     // WM_APP + 5
constexpr unsigned kTray = 0x0401;     // WM_USER + 1

// Windows are only compared and printed: any two distinct values will do.
const void *const kMain = reinterpret_cast<const void *>(0x10040);
const void *const kOther = reinterpret_cast<const void *>(0x20080);

RecordedMessage Posted(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                       const void *window = kMain) {
    return {window, message, wParam, lParam, Delivery::Posted};
}

RecordedMessage Sent(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                     const void *window = kMain) {
    return {window, message, wParam, lParam, Delivery::Sent};
}

constexpr std::size_t kMatches = static_cast<std::size_t>(-1);

struct MatchCase {
    const char *name;
    std::vector<RecordedMessage> recorded;
    std::vector<ExpectedMessage> expected;
    // Where the sequences part, or kMatches for both.
    std::size_t recordedAt;
    std::size_t expectedAt;
};

void PrintTo(const MatchCase &c, std::ostream *out) {
    *out << c.name;
}

const MatchCase kCases[] = {
    {"ExactEntriesMatch",
     {Posted(kCommand, 40001, 0), Sent(kCard, 1, -1)},
     {{kCommand, Delivery::Posted, 40001, 0, kMain}, {kCard, Delivery::Sent, 1, -1, kMain}},
     kMatches,
     kMatches},
    {"BothEmptyMatch", {}, {}, kMatches, kMatches},
    {"OptionalEntryPresent",
     {Posted(kCommand, 1, 0), Posted(kTimer, 7, 0), Sent(kCard, 2, 0)},
     {{kCommand, Delivery::Posted, 1, 0},
      Optional({kTimer, Delivery::Posted, 7}),
      {kCard, Delivery::Sent, 2, 0}},
     kMatches,
     kMatches},
    {"OptionalEntryAbsent",
     {Posted(kCommand, 1, 0), Sent(kCard, 2, 0)},
     {{kCommand, Delivery::Posted, 1, 0},
      Optional({kTimer, Delivery::Posted, 7}),
      {kCard, Delivery::Sent, 2, 0}},
     kMatches,
     kMatches},
    {"OptionalEntryAloneMayBeAbsent", {}, {Optional({kTimer})}, kMatches, kMatches},
    // Taking the message for the optional entry would leave the required one
    // without it.
    {"OptionalEntryBeforeItsTwinLeavesTheMessageToIt",
     {Posted(kTimer, 7, 0)},
     {Optional({kTimer, Delivery::Posted, 7}), {kTimer, Delivery::Posted, 7}},
     kMatches,
     kMatches},
    {"WildcardsAcceptAnyValue",
     {Sent(kCard, 99, -5, kOther)},
     {{kCard, kAny, kAny, kAny, kAny}},
     kMatches,
     kMatches},
    {"LeftOutFieldsAreWildcards", {Posted(kTray, 3, 4, kOther)}, {{kTray}}, kMatches, kMatches},
    {"WrongMessage",
     {Posted(kCommand, 1, 0), Posted(kTimer, 1, 0), Posted(kCard, 0, 0)},
     {{kCommand, Delivery::Posted, 1, 0},
      {kCard, Delivery::Posted, 0, 0},
      {kCard, Delivery::Posted, 0, 0}},
     1,
     1},
    {"WrongWParam", {Posted(kCard, 1, 2)}, {{kCard, Delivery::Posted, 9, kAny}}, 0, 0},
    {"WrongLParam", {Posted(kCard, 1, 2)}, {{kCard, Delivery::Posted, kAny, -2}}, 0, 0},
    {"WrongDelivery", {Sent(kCard, 1, 2)}, {{kCard, Delivery::Posted}}, 0, 0},
    {"UnknownDeliveryIsNeitherPostedNorSent",
     {{kMain, kCard, 1, 2, Delivery::Unknown}},
     {{kCard, Delivery::Sent}},
     0,
     0},
    {"WrongWindow", {Posted(kCard, 1, 2, kOther)}, {{kCard, kAny, kAny, kAny, kMain}}, 0, 0},
    {"RecordingTooShort",
     {Posted(kCommand, 1, 0)},
     {{kCommand, Delivery::Posted, 1, 0}, {kCard, Delivery::Posted}},
     1,
     1},
    {"RecordingTooLong",
     {Posted(kCommand, 1, 0), Posted(kCard, 0, 0)},
     {{kCommand, Delivery::Posted, 1, 0}},
     1,
     1},
    {"NothingRecorded", {}, {{kCommand}}, 0, 0},
    {"WrongMessageAfterAnOptionalEntryIsShownAgainstTheNextRequiredOne",
     {Posted(kCommand, 1, 0), Posted(kTray, 0, 0)},
     {{kCommand, Delivery::Posted, 1, 0}, Optional({kTimer}), {kCard}},
     1,
     2},
    {"OptionalEntryDoesNotExcuseAnExtraMessage",
     {Posted(kTimer, 7, 0), Posted(kTimer, 7, 0)},
     {Optional({kTimer})},
     1,
     1},
};

// The numbered lines of one section of the printout ("recorded" or
// "expected"), and which of them are marked.
struct Section {
    std::vector<std::size_t> lines;
    std::vector<std::size_t> marked;
};

Section ReadSection(const std::string &printout, const std::string &name) {
    std::istringstream lines(printout);
    std::string line;
    bool inSection = false;
    Section section;
    while (std::getline(lines, line)) {
        if (line.rfind("recorded (", 0) == 0 || line.rfind("expected (", 0) == 0) {
            inSection = line.rfind(name + " (", 0) == 0;
            continue;
        }
        const std::string plain = "       #";
        const std::string marked = "    -> #";
        if (!inSection)
            continue;
        if (line.rfind(plain, 0) == 0) {
            section.lines.push_back(std::stoul(line.substr(plain.size())));
        } else if (line.rfind(marked, 0) == 0) {
            section.lines.push_back(std::stoul(line.substr(marked.size())));
            section.marked.push_back(section.lines.back());
        }
    }
    return section;
}

// 0 to size - 1, and size itself when the sequence ran out at the mark.
std::vector<std::size_t> ExpectedLines(std::size_t size, std::size_t mark) {
    std::vector<std::size_t> lines;
    for (std::size_t i = 0; i < size || (i == size && mark == size); ++i)
        lines.push_back(i);
    return lines;
}

class MessageSequenceTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MessageSequenceTest, FindsWhereTheSequencesPart) {
    const MatchCase &c = GetParam();
    const std::optional<SequenceMismatch> mismatch = FindMismatch(c.recorded, c.expected);
    if (c.recordedAt == kMatches) {
        EXPECT_FALSE(mismatch.has_value())
            << DescribeSequences(c.recorded, c.expected, mismatch.value_or(SequenceMismatch{}));
        return;
    }
    ASSERT_TRUE(mismatch.has_value());
    EXPECT_EQ(mismatch->recorded, c.recordedAt);
    EXPECT_EQ(mismatch->expected, c.expectedAt);
}

TEST_P(MessageSequenceTest, AssertionCarriesBothSequencesWithTheRightLinesMarked) {
    const MatchCase &c = GetParam();
    const ::testing::AssertionResult result = MatchesSequence(c.recorded, c.expected);
    EXPECT_EQ(static_cast<bool>(result), c.recordedAt == kMatches);
    if (result)
        return;
    const std::string printout = result.message();
    const Section recorded = ReadSection(printout, "recorded");
    const Section expected = ReadSection(printout, "expected");
    // Every entry of both, not only the ones that differ, and one mark each.
    EXPECT_EQ(recorded.lines, ExpectedLines(c.recorded.size(), c.recordedAt)) << printout;
    EXPECT_EQ(expected.lines, ExpectedLines(c.expected.size(), c.expectedAt)) << printout;
    EXPECT_EQ(recorded.marked, std::vector<std::size_t>{c.recordedAt}) << printout;
    EXPECT_EQ(expected.marked, std::vector<std::size_t>{c.expectedAt}) << printout;
}

INSTANTIATE_TEST_SUITE_P(Tables, MessageSequenceTest, ::testing::ValuesIn(kCases));

TEST(MessageSequencePrintoutTest, LinesNameTheMessageAndShowEveryField) {
    const std::vector<RecordedMessage> recorded = {Sent(kCommand, 0x9c41, -1),
                                                   Posted(kCard, 2, 0x14)};
    const std::vector<ExpectedMessage> expected = {
        {kCommand, Delivery::Sent, 0x9c41, kAny},
        Optional({kTimer, Delivery::Posted, 7, 0}),
    };
    const std::string printout = DescribeSequences(recorded, expected, {1, 2});
    for (const std::string &wanted :
         {std::string("the sequences part at recorded #1, expected #2"),
          std::string("sent     WM_COMMAND"), std::string("wParam 0x9c41"),
          std::string("lParam 0x" + std::string(2 * sizeof(std::uintptr_t), 'f')),
          std::string("posted   WM_APP+0x5"), std::string("window 0x10040"),
          std::string("lParam any"), std::string("window any"), std::string("WM_TIMER"),
          std::string("(optional)"), std::string("    -> #2   (end)")})
        EXPECT_NE(printout.find(wanted), std::string::npos) << wanted << " in\n" << printout;
}

struct NameCase {
    unsigned message;
    const char *name;
};

TEST(MessageNameTest, CommonMessagesByNameRangesByOffsetOthersInHex) {
    const NameCase cases[] = {
        {0x0000, "WM_NULL"},     {0x0111, "WM_COMMAND"},  {0x0219, "WM_DEVICECHANGE"},
        {0x0400, "WM_USER+0x0"}, {0x0401, "WM_USER+0x1"}, {0x7fff, "WM_USER+0x7bff"},
        {0x8000, "WM_APP+0x0"},  {0x8005, "WM_APP+0x5"},  {0xbfff, "WM_APP+0x3fff"},
        {0xc0de, "0xc0de"},      {0x0090, "0x0090"},      {0x10000, "0x10000"},
    };
    for (const NameCase &c : cases)
        EXPECT_EQ(MessageName(c.message), c.name) << std::hex << c.message;
}

}  // namespace
}  // namespace fw_test
