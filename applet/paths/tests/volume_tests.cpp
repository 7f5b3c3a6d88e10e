// Same-volume tests on real drive letters, relative paths and share texts.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "file_queries.h"
#include "volumes.h"
#include "prerequisite.h"
#include "wine_drive.h"

using namespace applet;
using namespace testsupport;

namespace vesko_test {
namespace {

TEST(CompareVolumesTest, DrivesAndSharesCompareWithoutRegardToCase) {
    EXPECT_EQ(CompareVolumes("", "F:\\x"), 0);
    EXPECT_EQ(CompareVolumes("\\\\server\\share", ""), 0);
    EXPECT_EQ(CompareVolumes("E:\\x", "e:\\y"), 0);
    EXPECT_EQ(CompareVolumes("E:\\x", "F:\\x"), 1);
    EXPECT_EQ(CompareVolumes("\\\\Server\\Photos\\2026", "\\\\server\\photos\\old\\a.jpg"), 0);
    EXPECT_EQ(CompareVolumes("\\\\server\\photos\\a", "\\\\server\\music\\a"), 1);
    EXPECT_EQ(CompareVolumes("\\\\server\\photos\\a", "\\\\other\\photos\\a"), 1);
    EXPECT_EQ(CompareVolumes("C:\\x", "\\\\server\\photos"), 1);  // a local drive has no share
}

TEST(CompareVolumesTest, TwoLettersOfOneFolderAreStillTwoVolumes) {
    ScratchOnDrive dir;
    REQUIRE_PREREQUISITE(dir.Ready(), "drives Q: and R: from Wine's mount manager");
    ASSERT_TRUE(MakeFile(dir / "same.jpg"));
    const std::string throughR = "R:" + (dir / "same.jpg").substr(2);
    ASSERT_TRUE(FileExists(throughR));
    EXPECT_EQ(CompareVolumes(dir / "same.jpg", throughR), 1);
    // A local drive keeps its letter: no share name is put in its place.
    std::string path = dir / "same.jpg";
    EXPECT_EQ(GetShareRootLength(path), 0u);
    EXPECT_EQ(path, dir / "same.jpg");
}

TEST(CompareVolumesTest, RelativePathsAreExpandedAgainstTheCurrentFolder) {
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\windows"));
    const int sameDrive = CompareVolumes("photos\\a.jpg", "c:\\album");
    const int otherDrive = CompareVolumes("photos\\a.jpg", "Z:\\album");
    const int rooted = CompareVolumes("\\album", "C:\\x");
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(sameDrive, 0);
    EXPECT_EQ(otherDrive, 1);
    EXPECT_EQ(rooted, 0);
    const std::string deep = "C:\\" + std::string(300, 'd') + "\\x";  // beyond MAX_PATH
    EXPECT_EQ(ExpandFullPath(deep), deep);
}

}  // namespace
}  // namespace vesko_test
