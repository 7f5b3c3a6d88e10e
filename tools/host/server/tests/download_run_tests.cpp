// A download into a real album folder from a source that stands in for a
// card or camera, so that every way a picture's copy can end is reached: the
// album then holds the whole pictures under their final names and nothing
// else (no working file, no half picture), and the task's end says why.
#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "download_run.h"
#include "folder_contents.h"

namespace standin_test {
namespace {

using testsupport::FolderEntries;
using testsupport::ReadWholeFile;

using standin::CopyStatus;
using standin::SourcePicture;
using standin::TaskEnd;

// Writes each picture's bytes as the camera library does (into the HFILE),
// and at the picture named `failAt` writes half of them, then ends as
// `status` says.
class ScriptedSource : public standin::PictureSource {
public:
    ScriptedSource(std::string failAt, standin::CopyResult failure)
        : failAt_(std::move(failAt)), failure_(std::move(failure)) {}

    bool List(std::vector<SourcePicture> &, standin::TaskResult &) override { return true; }

    standin::CopyResult Copy(const SourcePicture &picture, pdrcam::NativeFile file,
                             const standin::CopyProgress &progress) override {
        const std::string bytes = Content(picture.name);
        const bool fails = picture.name == failAt_;
        const size_t length = fails ? bytes.size() / 2 : bytes.size();
        if (!progress(0))
            return {CopyStatus::Stopped, 0, 0, ""};
        _lwrite(static_cast<HFILE>(file), bytes.data(), static_cast<UINT>(length));
        if (fails)
            return failure_;
        progress(100);
        return {};
    }

    std::string FinalName(const SourcePicture &picture, const std::string &) const override {
        return picture.name;
    }

    static std::string Content(const std::string &name) {
        return std::string(4000, name[1]) + name;
    }

private:
    std::string failAt_;
    standin::CopyResult failure_;
};

struct RunCase {
    const char *name;
    std::string failAt;           // the picture whose copy ends early ("": none)
    standin::CopyResult failure;  // how it ends
    bool cancelBeforeThird;       // the window's Cancel between two pictures
    TaskEnd end;
    size_t done;
    std::string sentence;
};

void PrintTo(const RunCase &c, std::ostream *out) {
    *out << c.name;
}

class DownloadRunTest : public ::testing::TestWithParam<RunCase> {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = "";
        ASSERT_NE(::GetTempPathA(MAX_PATH, temp), 0u);
        root_ = std::string(temp) + "host-download-run-" + std::to_string(::GetCurrentProcessId());
        Remove(root_);
        ASSERT_TRUE(::CreateDirectoryA(root_.c_str(), nullptr));
    }
    void TearDown() override { Remove(root_); }
    static void Remove(const std::string &folder) {
        for (const std::string &name : FolderEntries(folder)) {
            const std::string path = folder + "\\" + name;
            if (::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY)
                Remove(path);
            else
                ::DeleteFileA(path.c_str());
        }
        ::RemoveDirectoryA(folder.c_str());
    }
    std::string root_;
};

TEST_P(DownloadRunTest, AlbumHoldsOnlyWholePictures) {
    const RunCase &c = GetParam();
    const std::vector<SourcePicture> pictures = {
        {"P1.JPG", 4006, 1, ""}, {"P2.JPG", 4006, 2, ""}, {"P3.JPG", 4006, 3, ""}};
    ScriptedSource source(c.failAt, c.failure);
    const std::string album = root_ + "\\Albums\\Today";  // made, with the folder above
    std::vector<int> progress;
    const standin::TaskResult result = standin::DownloadPictures(
        source, pictures, album,
        {[](const std::string &) {}, [&](int percent) { progress.push_back(percent); },
         [&] { return !(c.cancelBeforeThird && progress.back() >= 66); }});

    EXPECT_EQ(result.end, c.end);
    EXPECT_EQ(result.done, c.done);
    EXPECT_EQ(result.total, 3u);
    EXPECT_EQ(standin::DescribeTaskResult(result), c.sentence);
    std::vector<std::string> expected;
    for (size_t i = 0; i < c.done; ++i)
        expected.push_back(pictures[i].name);
    EXPECT_EQ(FolderEntries(album), expected) << "a working file or a half picture was left";
    for (const std::string &name : expected)
        EXPECT_EQ(ReadWholeFile(album + "\\" + name), ScriptedSource::Content(name)) << name;
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), 0);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end())) << "the bar went back";
    if (c.end == TaskEnd::Done) {
        EXPECT_EQ(progress.back(), 100);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ends, DownloadRunTest,
    ::testing::Values(RunCase{"Done", "", {}, false, TaskEnd::Done, 3, "Downloaded 3 pictures."},
                      RunCase{"StoppedByTheCallback",
                              "P2.JPG",
                              {CopyStatus::Stopped, 0, 0, ""},
                              false,
                              TaskEnd::Cancelled,
                              1,
                              "Cancelled: 1 of 3 pictures downloaded."},
                      RunCase{"CancelledBetweenPictures",
                              "",
                              {},
                              true,
                              TaskEnd::Cancelled,
                              2,
                              "Cancelled: 2 of 3 pictures downloaded."},
                      RunCase{"DiskFull",
                              "P2.JPG",
                              {CopyStatus::WriteFailed, ERROR_DISK_FULL, 0, ""},
                              false,
                              TaskEnd::DiskFull,
                              1,
                              "The disk is full: 1 of 3 pictures downloaded."},
                      RunCase{"HandleDiskFull",
                              "P3.JPG",
                              {CopyStatus::WriteFailed, ERROR_HANDLE_DISK_FULL, 0, ""},
                              false,
                              TaskEnd::DiskFull,
                              2,
                              "The disk is full: 2 of 3 pictures downloaded."},
                      RunCase{"CameraError",
                              "P2.JPG",
                              {CopyStatus::SourceFailed, 0, 4, "no answer"},
                              false,
                              TaskEnd::CameraError,
                              1,
                              "Camera error 4 (no answer): 1 of 3 pictures downloaded."},
                      RunCase{"CardUnreadable",
                              "P1.JPG",
                              {CopyStatus::SourceFailed, 0, 0, "E:\\DCIM\\P1.JPG"},
                              false,
                              TaskEnd::ReadError,
                              0,
                              "Cannot read E:\\DCIM\\P1.JPG: 0 of 3 pictures downloaded."}),
    [](const ::testing::TestParamInfo<RunCase> &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace standin_test
