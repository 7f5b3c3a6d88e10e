// The file-presence test with and without wildcards, and the file queries, on
// a real drive letter.
#include <gtest/gtest.h>

#include "file_queries.h"
#include "find_matching_file.h"
#include "prerequisite.h"
#include "wine_drive.h"

using namespace applet;
using namespace testsupport;

namespace vesko_test {
namespace {

namespace {
class FindMatchingFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_PREREQUISITE(dir_.Ready(), "drive Q: from Wine's mount manager");
        ASSERT_TRUE(MakeFile(dir_ / "DCIM\\12a.jpg") && MakeFile(dir_ / "DCIM\\README.TXT"));
        ASSERT_TRUE(MakeFolders(dir_ / "DCIM\\100CAMRA") && MakeFile(dir_ / "card#1\\photo.jpg"));
    }
    ScratchOnDrive dir_;
};
}  // namespace

TEST_F(FindMatchingFileTest, PatternsWithADriveIgnoreTheBaseOthersAreJoinedToIt) {
    EXPECT_TRUE(FindMatchingFile("C:\\elsewhere", dir_ / "dcim\\##?.JPG"));
    EXPECT_FALSE(FindMatchingFile("C:\\elsewhere", dir_ / "DCIM\\###.JPG"));
    EXPECT_FALSE(FindMatchingFile("", dir_ / "DCIM\\*.png"));
    EXPECT_TRUE(FindMatchingFile(dir_.Path(), "DCIM\\##?.jpg"));
    EXPECT_TRUE(FindMatchingFile(dir_.Path() + "\\", "DCIM\\read*"));
    EXPECT_TRUE(FindMatchingFile(dir_ / "DCIM", "###CAMRA"));
    EXPECT_FALSE(FindMatchingFile(dir_.Path(), "##?.jpg"));
}

TEST_F(FindMatchingFileTest, MissingFolderAnswersFalse) {
    EXPECT_FALSE(FindMatchingFile(dir_.Path(), "MISSING\\*.jpg"));
    EXPECT_FALSE(FindMatchingFile("", "Y:\\DCIM\\*.jpg"));
}

TEST_F(FindMatchingFileTest, PlainNameIsAnExistenceTest) {
    EXPECT_TRUE(FindMatchingFile(dir_.Path(), "DCIM\\12a.jpg"));
    EXPECT_TRUE(FindMatchingFile(dir_.Path(), "DCIM\\100CAMRA"));
    EXPECT_TRUE(FindMatchingFile("C:\\elsewhere", dir_ / "DCIM\\README.TXT"));
    EXPECT_FALSE(FindMatchingFile(dir_.Path(), "DCIM\\13a.jpg"));
}

TEST_F(FindMatchingFileTest, HashInAFolderNameIsThatFoldersOwnCharacter) {
    EXPECT_TRUE(FindMatchingFile("", dir_ / "card#1\\*.jpg"));
    EXPECT_TRUE(FindMatchingFile(dir_.Path(), "card#1\\photo.jpg"));
    EXPECT_FALSE(FindMatchingFile(dir_.Path(), "card#1\\other.jpg"));
}

TEST_F(FindMatchingFileTest, FileQueriesOfRealPaths) {
    EXPECT_TRUE(IsFolder(dir_ / "DCIM") && IsFolder(dir_ / "DCIM\\") && IsFolder("Q:\\"));
    EXPECT_FALSE(IsFolder(dir_ / "DCIM\\12a.jpg"));
    EXPECT_FALSE(IsFolder(dir_ / "missing"));
    EXPECT_TRUE(FileExists(dir_ / "DCIM\\12a.jpg") && FileExists(dir_ / "DCIM\\"));
    EXPECT_FALSE(FileExists(dir_ / "missing"));
    EXPECT_FALSE(FileExists(dir_ / "DCIM\\*.jpg"));
    EXPECT_FALSE(FileExists(nullptr));
    EXPECT_FALSE(FileExists(""));
}

}  // namespace
}  // namespace vesko_test
