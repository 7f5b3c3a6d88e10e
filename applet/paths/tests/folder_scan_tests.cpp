// The folder lister on real folders of a real drive letter.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "folder_scan.h"
#include "prerequisite.h"
#include "wine_drive.h"

using namespace applet;
using namespace testsupport;

using ::testing::Contains;
using ::testing::UnorderedElementsAre;

namespace vesko_test {
namespace {

namespace {
// Every entry handed out; "." and ".." (listed by the platform below a root)
// are checked to carry the folder prefix and then left out.
std::set<std::string> Entries(FolderScan &scan) {
    std::set<std::string> entries;
    std::string path;
    while (scan.Next(path)) {
        EXPECT_EQ(path.rfind(scan.Folder(), 0), 0u) << path;
        const std::string name = path.substr(scan.Folder().size());
        if (name != "." && name != "..") {
            EXPECT_TRUE(entries.insert(path).second) << path;
        }
    }
    return entries;
}

class FolderScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_PREREQUISITE(dir_.Ready(), "drive Q: from Wine's mount manager");
        ASSERT_TRUE(MakeFile(dir_ / "one\\a.jpg") && MakeFile(dir_ / "one\\b.txt"));
        ASSERT_TRUE(MakeFolders(dir_ / "one\\sub") && MakeFile(dir_ / "two\\c.jpg"));
    }
    ScratchOnDrive dir_;
};
}  // namespace

TEST_F(FolderScanTest, HandsOutFilesAndFoldersAsFullPaths) {
    FolderScan scan(dir_ / "one");
    ASSERT_TRUE(scan.IsOpen());
    EXPECT_EQ(scan.Folder(), dir_ / "one\\");
    EXPECT_THAT(Entries(scan),
                UnorderedElementsAre(dir_ / "one\\a.jpg", dir_ / "one\\b.txt", dir_ / "one\\sub"));
    ASSERT_TRUE(scan.Open(dir_ / "two\\"));  // no second separator
    EXPECT_THAT(Entries(scan), UnorderedElementsAre(dir_ / "two\\c.jpg"));
    ASSERT_TRUE(scan.Open("Q:\\"));
    EXPECT_THAT(Entries(scan), Contains(dir_.Path()));
}

TEST_F(FolderScanTest, EndMissingFolderAndCloseHandOutNothing) {
    FolderScan scan(dir_ / "two");
    Entries(scan);
    std::string path = "unchanged";
    EXPECT_FALSE(scan.Next(path));
    EXPECT_FALSE(scan.Next(path));
    EXPECT_EQ(path, "unchanged");
    EXPECT_FALSE(scan.Open(dir_ / "missing"));
    EXPECT_FALSE(scan.Next(path));
    ASSERT_TRUE(scan.Open(dir_ / "one"));
    scan.Close();
    EXPECT_FALSE(scan.IsOpen());
    EXPECT_FALSE(scan.Next(path));
}

TEST_F(FolderScanTest, ReopeningEndsTheListingUnderWay) {
    FolderScan scan(dir_ / "one");
    std::string path;
    ASSERT_TRUE(scan.Next(path));
    ASSERT_TRUE(scan.Open(dir_ / "two"));
    EXPECT_THAT(Entries(scan), UnorderedElementsAre(dir_ / "two\\c.jpg"));
}

TEST_F(FolderScanTest, EmptyTextStaysClosedUntilOpenedOnTheCurrentFolder) {
    FolderScan scan("");
    EXPECT_FALSE(scan.IsOpen());
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA((dir_ / "two").c_str()));
    const bool opened = scan.Open("");
    const std::set<std::string> entries = Entries(scan);
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(opened);
    EXPECT_THAT(entries, UnorderedElementsAre("c.jpg"));
}

}  // namespace
}  // namespace vesko_test
