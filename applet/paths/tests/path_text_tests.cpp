// The portable text functions, table by table.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "path_text.h"

using namespace applet;

namespace vesko_test {
namespace {

namespace {
struct TextCase {
    const char *in;
    const char *out;
};
}  // namespace

TEST(PathTextTest, JoinPathAddsASeparatorOnlyWhenNeitherSideHasOne) {
    const struct {
        const char *folder, *name, *joined;
    } cases[] = {{"D:\\a", "b", "D:\\a\\b"},
                 {"D:\\a\\", "b", "D:\\a\\b"},
                 {"D:\\a", "\\b", "D:\\a\\b"},
                 {"D:\\a\\", "\\b", "D:\\a\\\\b"},
                 {"", "b", "b"},
                 {"D:\\a", "", "D:\\a"}};
    for (const auto &c : cases)
        EXPECT_EQ(JoinPath(c.folder, c.name), c.joined) << c.folder << "+" << c.name;
}

TEST(PathTextTest, FolderPartKeepsTheSeparatorOfARootOrDrive) {
    const TextCase cases[] = {{"D:\\a\\b", "D:\\a"}, {"D:\\a", "D:\\"}, {"D:\\", "D:\\"},
                              {"\\a", "\\"},         {"a", ""},         {"D:a", ""},
                              {"a\\b\\", "a\\b"}};
    for (const auto &c : cases)
        EXPECT_EQ(GetFolderPart(c.in), c.out) << c.in;
}

TEST(PathTextTest, NameAndDriveParts) {
    const TextCase names[] = {{"D:\\a\\b.jpg", "b.jpg"}, {"D:\\", ""}, {"name", "name"}, {"", ""}};
    for (const auto &c : names)
        EXPECT_EQ(GetNamePart(c.in), c.out) << c.in;
    const TextCase drives[] = {{"D:\\a", "D"}, {"ab:c:d", "ab"}, {":\\a", ""}, {"\\\\s\\t", ""}};
    for (const auto &c : drives)
        EXPECT_EQ(GetDrivePart(c.in), c.out) << c.in;
}

TEST(PathTextTest, AbsoluteMeansRootedOrDriveWithSeparator) {
    for (const char *path : {"\\", "\\a", "\\\\server\\share", "D:\\", "D:\\a"})
        EXPECT_TRUE(IsAbsolutePath(path)) << path;
    for (const char *path : {"", "D", "D:", "D:a", "a\\b", "ab\\"})
        EXPECT_FALSE(IsAbsolutePath(path)) << path;
}

TEST(PathTextTest, WildcardsAreStarHashAndQuestionMark) {
    for (const char *name : {"*.jpg", "IMG##.JPG", "a?", "D:\\dir#1\\x.jpg"})
        EXPECT_TRUE(HasWildcards(name)) << name;
    EXPECT_FALSE(HasWildcards("D:\\DCIM\\100.JPG"));
    EXPECT_FALSE(HasWildcards(""));
}

TEST(PathTextTest, CaseIsFoldedForAsciiLettersOnly) {
    EXPECT_TRUE(EqualsIgnoringCase("\\\\Server\\SHARE", "\\\\server\\share"));
    EXPECT_FALSE(EqualsIgnoringCase("ab", "abc"));
    // 0xC4/0xE4 may be trail bytes of two different double-byte characters.
    EXPECT_FALSE(EqualsIgnoringCase("\xC4", "\xE4"));
    EXPECT_FALSE(EqualsIgnoringCase("@", "`"));
}

TEST(ShareRootTest, LengthOfServerAndShare) {
    const std::map<std::string, std::size_t> cases = {{"\\\\server\\share", 14},
                                                      {"\\\\server\\share\\dir\\x", 14},
                                                      {"\\\\server\\", 9},
                                                      {"\\\\server", 0},
                                                      {"\\\\", 0},
                                                      {"\\server\\share", 0},
                                                      {"D:\\dir\\x", 0}};
    for (const auto &[text, length] : cases) {
        std::string path = text;
        EXPECT_EQ(GetShareRootLength(path, nullptr), length) << text;
    }
}

TEST(ShareRootTest, MappedDriveIsReplacedByItsShareFirst) {
    // Stands for the platform's table of mapped drives.
    const NetworkNameLookup mapped = [](const std::string &device, std::string &share) {
        if (device != "Q:")
            return false;
        share = "\\\\server\\photos";
        return true;
    };
    std::string path = "Q:\\2026\\a.jpg";
    EXPECT_EQ(GetShareRootLength(path, mapped), 15u);
    EXPECT_EQ(path, "\\\\server\\photos\\2026\\a.jpg");
    for (std::string unchanged : {"C:\\x", ":\\x", "\\\\other\\s\\x", "rel\\x", ""}) {
        std::string copy = unchanged;
        ResolveNetworkDrive(copy, mapped);
        EXPECT_EQ(copy, unchanged);
    }
}

}  // namespace
}  // namespace vesko_test
