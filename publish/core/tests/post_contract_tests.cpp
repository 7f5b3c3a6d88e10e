// The posting contract's pieces: flag words, buffers, outcomes, and the
// error text's termination whatever length the library reports.
#include <gtest/gtest.h>

#include "post_contract.h"

namespace zephyne_test {
namespace {

using namespace zephyne;

TEST(PostContract, FlagWordAndOutcomeTables) {
    EXPECT_EQ(FlagWordFor(1), 0x000F0000u);
    EXPECT_EQ(FlagWordFor(-7), 0x000F0000u);
    EXPECT_EQ(FlagWordFor(0), 0x00000002u);

    struct Case {
        bool missing;
        uint32_t result;
        const char *homePage;
        Outcome outcome;
    } cases[] = {
        {true, 0, "http://h/", Outcome::MissingComponent},
        {true, 0x80004005, "", Outcome::MissingComponent},
        {false, 0, "http://h/", Outcome::SaveCompleted},
        {false, 0, "", Outcome::Nothing},
        {false, 0x800704C7, "http://h/", Outcome::Nothing},
        {false, 0x800704C8, "http://h/", Outcome::ErrorMessage},
        {false, 1, "", Outcome::ErrorMessage},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DecideOutcome(c.missing, c.result, c.homePage), c.outcome)
            << c.missing << " " << std::hex << c.result << " '" << c.homePage << "'";
}

TEST(PostContract, BuffersHoldAtLeast260BytesAndAlwaysOneNulBeyondTheText) {
    for (size_t length : {size_t(0), size_t(5), size_t(259), size_t(260), size_t(700)}) {
        std::string text(length, 'x');
        std::vector<char> buffer = PostBuffer(text);
        EXPECT_GE(buffer.size(), 261u);
        EXPECT_GE(buffer.size(), length + 1);
        EXPECT_EQ(BufferText(buffer), text);
        EXPECT_EQ(buffer.back(), '\0');
    }
    // What a library wrote back ends at its first NUL.
    std::vector<char> written = PostBuffer("old-site-name");
    written[3] = '\0';
    EXPECT_EQ(BufferText(written), "old");
}

TEST(PostContract, ErrorTextEndsAtTheReportedLengthAndNeverPastTheBuffer) {
    struct Case {
        std::string contents;  // what the library left in the buffer
        bool succeeded;
        uint32_t reported;
        std::string text;
    } cases[] = {
        {"Server said no", true, 6, "Server"},
        {"Server said no", true, 14, "Server said no"},
        {"Server said no", false, 3, "Server said no"},  // failure: up to its NUL
        {"", false, 2048, ""},
        {std::string(2048, 'E'), true, 2048, std::string(2048, 'E')},
        {std::string(2048, 'E'), true, 5000, std::string(2048, 'E')},  // clamped
        {std::string(2048, 'E'), false, 0, std::string(2048, 'E')},
    };
    for (const Case &c : cases) {
        std::vector<char> buffer(kErrorTextLength + 1, '\0');
        std::copy(c.contents.begin(), c.contents.end(), buffer.begin());
        buffer[kErrorTextLength] = 'Z';  // a library that wrote the last byte too
        EXPECT_EQ(ErrorTextFrom(buffer, c.succeeded, c.reported), c.text)
            << c.contents.size() << " bytes, succeeded " << c.succeeded << ", reported "
            << c.reported;
        EXPECT_EQ(buffer.size(), kErrorTextLength + 1);
    }
}

}  // namespace
}  // namespace zephyne_test
