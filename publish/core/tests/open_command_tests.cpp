// The ".htm" fallback's command line and the failure messages.
#include <gtest/gtest.h>

#include "open_command.h"

namespace zephyne_test {
namespace {

using namespace zephyne;

TEST(OpenCommand, CutsAtTheArgumentAndAppendsTheAddress) {
    struct Case {
        const char *registered;
        const char *command;
    } cases[] = {
        {"\"C:\\Web\\browse.exe\" \"%1\"", "\"C:\\Web\\browse.exe\"  http://a/b"},
        {"C:\\Web\\browse.exe -nohome \"%1\" -x", "C:\\Web\\browse.exe -nohome  http://a/b"},
        {"C:\\Web\\browse.exe %1", "C:\\Web\\browse.exe  http://a/b"},
        {"C:\\Web\\browse.exe", "C:\\Web\\browse.exe http://a/b"},
        {"", " http://a/b"},
    };
    for (const Case &c : cases) {
        auto command = BuildOpenCommand(c.registered, "http://a/b");
        ASSERT_TRUE(command) << c.registered;
        EXPECT_EQ(*command, c.command) << c.registered;
    }
}

TEST(OpenCommand, RefusesACommandLineThatWouldNotFitIts520ByteBuffer) {
    const std::string registered(259, 'c');  // the longest a 260-byte read gives
    // 259 + blank + address + NUL: an address of 259 fills the buffer exactly.
    auto fits = BuildOpenCommand(registered, std::string(259, 'a'));
    ASSERT_TRUE(fits);
    EXPECT_EQ(fits->size() + 1, kOpenCommandCapacity);
    EXPECT_FALSE(BuildOpenCommand(registered, std::string(260, 'a')));
    EXPECT_FALSE(BuildOpenCommand("b", std::string(5000, 'a')));
    EXPECT_TRUE(BuildOpenCommand("b", std::string(517, 'a')));
    EXPECT_FALSE(BuildOpenCommand("b", std::string(518, 'a')));
}

TEST(OpenCommand, FailureMessagesByReplyCode) {
    const std::string prefix = "Unable to open hyperlink:\n\n";
    struct Case {
        int code;
        const char *line;
    } cases[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
             "being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {12, "Unknown Error (12) occurred."},
        {-5, "Unknown Error (-5) occurred."},
        {33, "Unknown Error (33) occurred."},
    };
    for (const Case &c : cases)
        EXPECT_EQ(OpenErrorMessage(c.code), prefix + c.line) << c.code;
}

}  // namespace
}  // namespace zephyne_test
