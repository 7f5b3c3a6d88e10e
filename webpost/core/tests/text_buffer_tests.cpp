// The buffer contract: sizes in bytes, the needed size on "too small", never
// a byte written past the size given (checked with a sentinel fill).
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "text_buffer.h"

namespace webpost_test {
namespace {

using namespace webpost;

constexpr char kSentinel = static_cast<char>(0xbd);

struct CopyCase {
    const char *text;
    std::uint32_t size;
    CopyOutcome outcome;
    std::uint32_t lengthOut;
};

const CopyCase kCopyCases[] = {
    {"hello", 6, CopyOutcome::Written, 5},  {"hello", 260, CopyOutcome::Written, 5},
    {"hello", 5, CopyOutcome::TooSmall, 6}, {"hello", 1, CopyOutcome::TooSmall, 6},
    {"hello", 0, CopyOutcome::TooSmall, 6}, {"", 1, CopyOutcome::Written, 0},
    {"", 0, CopyOutcome::TooSmall, 1},
};

TEST(TextBufferTest, CopiesWhenTheTextAndItsNulFitElseTellsTheSizeNeeded) {
    for (const CopyCase &c : kCopyCases) {
        SCOPED_TRACE(std::string(c.text) + " into " + std::to_string(c.size));
        std::vector<char> buffer(c.size + 8, kSentinel);
        std::uint32_t length = c.size;
        EXPECT_EQ(CopyTextOut(c.text, buffer.data(), &length), c.outcome);
        EXPECT_EQ(length, c.lengthOut);
        if (c.outcome == CopyOutcome::Written) {
            EXPECT_STREQ(buffer.data(), c.text);
        } else {
            for (std::uint32_t i = 0; i < c.size; ++i)
                EXPECT_EQ(buffer[i], kSentinel) << "byte " << i << " written on failure";
        }
        for (std::size_t i = c.size; i < buffer.size(); ++i)
            EXPECT_EQ(buffer[i], kSentinel) << "byte " << i << " past the size";
    }
}

TEST(TextBufferTest, NullBufferIsASizeQueryAndNullLengthIsRefused) {
    std::uint32_t length = 100;
    EXPECT_EQ(CopyTextOut("abc", nullptr, &length), CopyOutcome::TooSmall);
    EXPECT_EQ(length, 4u);
    char buffer[8];
    EXPECT_EQ(CopyTextOut("abc", buffer, nullptr), CopyOutcome::MissingArgument);
}

TEST(TextBufferTest, ReadsUpToTheFirstNulAndNeverPastTheSize) {
    const char withNul[] = {'a', 'b', '\0', 'c'};
    const char withoutNul[] = {'x', 'y', 'z'};
    EXPECT_EQ(ReadTextIn(withNul, 4), "ab");
    EXPECT_EQ(ReadTextIn(withoutNul, 3), "xyz");
    EXPECT_EQ(ReadTextIn(withoutNul, 2), "xy");
    EXPECT_EQ(ReadTextIn(nullptr, 10), "");
    EXPECT_EQ(ReadTextIn(withNul, 0), "");
}

}  // namespace
}  // namespace webpost_test
