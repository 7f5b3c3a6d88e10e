// The wizard's text box of local paths: lines as any line end ends them,
// blanks around a path trimmed, blank lines dropped, and paths put back one
// a line so that they read back unchanged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "path_lines.h"

namespace webpost_test {
namespace {

using webpost::JoinPathLines;
using webpost::PathLines;

struct LinesCase {
    const char *name;
    std::string text;
    std::vector<std::string> lines;
};

const LinesCase kLines[] = {
    {"nothing", "", {}},
    {"one path", "C:\\site", {"C:\\site"}},
    {"CR LF between", "C:\\a\r\nD:\\b", {"C:\\a", "D:\\b"}},
    {"LF alone, a last line end", "C:\\a\nD:\\b\n", {"C:\\a", "D:\\b"}},
    {"CR alone", "C:\\a\rD:\\b", {"C:\\a", "D:\\b"}},
    {"blanks and tabs around, kept within", " \tC:\\my site \t\r\n", {"C:\\my site"}},
    {"blank lines dropped", "\r\n \t\r\nC:\\a\r\n\r\n\nD:\\b", {"C:\\a", "D:\\b"}},
    {"only blanks", "  \r\n\t", {}},
};

TEST(PathLinesTest, LinesOfTheTextTrimmedWithoutBlankOnes) {
    for (const LinesCase &c : kLines)
        EXPECT_EQ(PathLines(c.text), c.lines) << c.name;
}

TEST(PathLinesTest, JoinedPathsStandOneALineAndReadBackUnchanged) {
    EXPECT_EQ(JoinPathLines({}), "");
    EXPECT_EQ(JoinPathLines({"C:\\a"}), "C:\\a");
    EXPECT_EQ(JoinPathLines({"C:\\a", "\\\\server\\share\\b", "D:\\my site"}),
              "C:\\a\r\n\\\\server\\share\\b\r\nD:\\my site");
    for (const LinesCase &c : kLines)
        EXPECT_EQ(PathLines(JoinPathLines(c.lines)), c.lines) << c.name;
}

}  // namespace
}  // namespace webpost_test
