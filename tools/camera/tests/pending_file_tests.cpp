#include "pending_file.h"
#include "picture_names.h"
#include "support/library_style_write.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pdrcam_test {
namespace {

using namespace pdrcam;

const std::vector<unsigned char> kContent{0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3, 4, 5};

void writeContent(const PendingFile &file) {
    appendLikeLibrary(file.handle(), kContent.data(), kContent.size());
}

TEST(PdrcamPendingFile, WorksUnderAHiddenNameUntilCommitted) {
    ScratchFolder folder;
    std::string error;
    auto file = PendingFile::create(folder.path(), "PIC00001", error);
    ASSERT_TRUE(file) << error;
    writeContent(*file);
    EXPECT_EQ(folder.names(),
              std::vector<std::string>{temporaryName("PIC00001", currentProcessId())});
    ASSERT_TRUE(file->commit("PIC00001.JPG", false, error)) << error;
    EXPECT_EQ(folder.names(), std::vector<std::string>{"PIC00001.JPG"});
    EXPECT_EQ(readAll(folder.file("PIC00001.JPG")), kContent);
}

TEST(PdrcamPendingFile, AbandonedFileLeavesNothingBehind) {
    ScratchFolder folder;
    std::string error;
    {
        auto file = PendingFile::create(folder.path(), "PIC00002", error);
        ASSERT_TRUE(file) << error;
        writeContent(*file);
    }
    EXPECT_TRUE(folder.names().empty());
    {
        auto file = PendingFile::create(folder.path(), "PIC00002", error);
        ASSERT_TRUE(file) << error;
        writeContent(*file);
        ASSERT_TRUE(file->finish(error)) << error;  // closed but not named
    }
    EXPECT_TRUE(folder.names().empty());
}

TEST(PdrcamPendingFile, FinishedFileCanBeInspectedBeforeItIsNamed) {
    ScratchFolder folder;
    std::string error;
    auto file = PendingFile::create(folder.path(), "THM00001", error);
    ASSERT_TRUE(file) << error;
    writeContent(*file);
    ASSERT_TRUE(file->finish(error)) << error;
    EXPECT_EQ(fileSize(file->temporaryPath()), static_cast<int64_t>(kContent.size()));
    EXPECT_EQ(readHead(file->temporaryPath(), 3), (std::vector<uint8_t>{0xFF, 0xD8, 0xFF}));
    EXPECT_TRUE(file->commit("THM00001.JPG", false, error)) << error;
}

TEST(PdrcamPendingFile, ExistingFileIsKeptUnlessReplacing) {
    ScratchFolder folder;
    const std::vector<unsigned char> old{'o', 'l', 'd'};
    pdrcam_test::writeAll(folder.file("PIC00003.JPG"), old);
    std::string error;
    {
        auto file = PendingFile::create(folder.path(), "PIC00003", error);
        ASSERT_TRUE(file) << error;
        writeContent(*file);
        EXPECT_FALSE(file->commit("PIC00003.JPG", false, error));
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(readAll(folder.file("PIC00003.JPG")), old);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"PIC00003.JPG"});
    {
        auto file = PendingFile::create(folder.path(), "PIC00003", error);
        ASSERT_TRUE(file) << error;
        writeContent(*file);
        EXPECT_TRUE(file->commit("PIC00003.JPG", true, error)) << error;
    }
    EXPECT_EQ(readAll(folder.file("PIC00003.JPG")), kContent);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"PIC00003.JPG"});
}

TEST(PdrcamPendingFile, MissingFolderIsReported) {
    ScratchFolder folder;
    std::string error;
    auto file = PendingFile::create(folder.file("no-such-folder"), "PIC00001", error);
    EXPECT_FALSE(file);
    EXPECT_FALSE(error.empty());
}

TEST(PdrcamFileSystem, MakeDirectoryAcceptsAnExistingFolderOnly) {
    ScratchFolder folder;
    std::string error;
    EXPECT_TRUE(makeDirectory(folder.file("out"), error)) << error;
    EXPECT_TRUE(isDirectory(folder.file("out")));
    EXPECT_TRUE(makeDirectory(folder.file("out"), error)) << error;
    pdrcam_test::writeAll(folder.file("plain"), {1});
    EXPECT_FALSE(makeDirectory(folder.file("plain"), error));
}

// The folder and file queries give back what is there and close what they
// opened: a file whose head was read can be removed at once, which Windows
// refuses while a handle to it is open.
TEST(PdrcamFileSystem, FolderEntriesAndFileHeads) {
    ScratchFolder folder;
    std::string error;
    pdrcam_test::writeAll(folder.file("a.jpg"), {1, 2, 3, 4, 5});
    pdrcam_test::writeAll(folder.file("empty"), {});
    ASSERT_TRUE(makeDirectory(folder.file("sub"), error)) << error;

    std::vector<std::string> entries = folderEntries(folder.path());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"a.jpg", "empty", "sub"}));
    EXPECT_TRUE(folderEntries(folder.file("missing")).empty());

    const struct {
        const char *name;
        size_t count;
        std::vector<uint8_t> head;
    } cases[] = {
        {"a.jpg", 3, {1, 2, 3}},
        {"a.jpg", 16, {1, 2, 3, 4, 5}},
        {"empty", 4, {}},
        {"missing", 4, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(readHead(folder.file(c.name), c.count), c.head) << c.name << " " << c.count;
    EXPECT_TRUE(removeFile(folder.file("a.jpg")));
    EXPECT_FALSE(fileExists(folder.file("a.jpg")));

    EXPECT_TRUE(processRuns(currentProcessId()));
}

}  // namespace
}  // namespace pdrcam_test
