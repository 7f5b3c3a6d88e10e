// The stand-in host's decisions: the road of each connection kind, download
// or listing, the album folder, alternative names, percentages and the texts
// a task ends with.
#include <gtest/gtest.h>

#include "task_plan.h"

namespace standin_test {
namespace {

using standin::ConnectionKind;
using standin::TaskEnd;
using standin::TaskResult;

TEST(TaskPlan, ConnectionKinds) {
    const struct {
        int32_t connectVia;
        ConnectionKind kind;
    } cases[] = {
        {0, ConnectionKind::Serial},  {1, ConnectionKind::Card},  {2, ConnectionKind::Serial},
        {3, ConnectionKind::Card},    {4, ConnectionKind::Twain}, {5, ConnectionKind::Serial},
        {-1, ConnectionKind::Serial},
    };
    for (const auto &c : cases)
        EXPECT_EQ(standin::ConnectionKindOf(c.connectVia), c.kind) << c.connectVia;
}

TEST(TaskPlan, DownloadOrListing) {
    const struct {
        bool extended;
        std::optional<long> fromVesko;
        int32_t autoDownload;
        bool download;
    } cases[] = {
        {true, std::nullopt, 0, true},  // the tray's Download command
        {true, 0L, 0, true},
        {true, 1L, 0, true},
        {false, 1L, 1, true},  // the applet's launch with automatic download
        {false, 1L, 0, false},
        {false, 0L, 1, false},  // not launched by the applet: its setting is not ours
        {false, std::nullopt, 1, false},
        {false, 2L, 1, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(standin::IsDownloadTask(c.extended, c.fromVesko, c.autoDownload), c.download)
            << c.extended << " " << c.fromVesko.value_or(-9) << " " << c.autoDownload;
}

TEST(TaskPlan, AlbumFolders) {
    const struct {
        const char *root;
        std::optional<std::string> album;
        const char *fallback;
        const char *folder;
    } cases[] = {
        {"C:\\Pictures", std::string("December 9, 2026"), "C:\\Mine",
         "C:\\Pictures\\December 9, 2026"},
        {"C:\\Pictures\\", std::string("Trip"), "C:\\Mine", "C:\\Pictures\\Trip"},
        {"C:\\Pictures", std::string("D:\\Elsewhere\\Trip"), "C:\\Mine", "D:\\Elsewhere\\Trip"},
        {"C:\\Pictures", std::string("\\Top"), "C:\\Mine", "\\Top"},
        {"C:\\Pictures", std::nullopt, "C:\\Mine", "C:\\Pictures"},
        {"C:\\Pictures", std::string(""), "C:\\Mine", "C:\\Pictures"},
        {"", std::string("Trip"), "C:\\Mine", "C:\\Mine\\Trip"},
        {"", std::nullopt, "C:\\Mine", "C:\\Mine"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(standin::AlbumFolder(c.root, c.album, c.fallback), c.folder)
            << c.root << " + " << c.album.value_or("(none)");
}

TEST(TaskPlan, AlternativeNames) {
    const struct {
        const char *name;
        int attempt;
        const char *result;
    } cases[] = {
        {"PIC00001.JPG", 1, "PIC00001.JPG"},
        {"PIC00001.JPG", 2, "PIC00001-2.JPG"},
        {"PIC00001.JPG", 12, "PIC00001-12.JPG"},
        {"a.b.jpg", 3, "a.b-3.jpg"},
        {"README", 2, "README-2"},
        {".hidden", 2, ".hidden-2"},
        {"x.JPG", 0, "x.JPG"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(standin::AlternativeName(c.name, c.attempt), c.result) << c.name << c.attempt;
}

TEST(TaskPlan, Percentages) {
    const struct {
        uint64_t done, total;
        int percent;
    } cases[] = {
        {0, 100, 0},     {1, 100, 1},     {99, 100, 99},
        {100, 100, 100}, {150, 100, 100}, {0, 0, 100},
        {1, 3, 33},      {2, 3, 66},      {5000000000ull, 10000000000ull, 50},
    };
    for (const auto &c : cases)
        EXPECT_EQ(standin::Percent(c.done, c.total), c.percent) << c.done << "/" << c.total;
}

TEST(TaskPlan, PictureLines) {
    const struct {
        const char *name;
        uint64_t size;
        const char *line;
    } cases[] = {
        {"PIC00001.JPG", 10803, "PIC00001.JPG   10,803 bytes"},
        {"a.jpg", 1, "a.jpg   1 byte"},
        {"a.jpg", 0, "a.jpg   0 bytes"},
        {"a.jpg", 999, "a.jpg   999 bytes"},
        {"a.jpg", 1000, "a.jpg   1,000 bytes"},
        {"a.jpg", 1234567, "a.jpg   1,234,567 bytes"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(standin::PictureLine(c.name, c.size), c.line);
}

TEST(TaskPlan, EndTexts) {
    const struct {
        TaskResult result;
        bool failure;
        const char *sentence;
        const char *encoded;
    } cases[] = {
        {{TaskEnd::Listed, 0, 3, 0, ""}, false, "3 pictures found.", "listed 0/3"},
        {{TaskEnd::Listed, 0, 1, 0, ""}, false, "1 picture found.", "listed 0/1"},
        {{TaskEnd::Done, 3, 3, 0, ""}, false, "Downloaded 3 pictures.", "done 3/3"},
        {{TaskEnd::Cancelled, 1, 10, 0, ""},
         false,
         "Cancelled: 1 of 10 pictures downloaded.",
         "cancelled 1/10"},
        {{TaskEnd::NoCamera, 0, 0, 3, ""},
         true,
         "No camera answers on the COM ports.",
         "nocamera 0/0"},
        {{TaskEnd::NoCard, 0, 0, 0, ""},
         true,
         "No memory card with camera pictures is in a drive.",
         "nocard 0/0"},
        {{TaskEnd::CameraError, 1, 10, 4, "the camera does not answer"},
         true,
         "Camera error 4 (the camera does not answer): 1 of 10 pictures downloaded.",
         "cameraerror 1/10 code 4"},
        {{TaskEnd::CameraError, 0, 2, 10, ""},
         true,
         "Camera error 10: 0 of 2 pictures downloaded.",
         "cameraerror 0/2 code 10"},
        {{TaskEnd::DiskFull, 2, 5, 0, ""},
         true,
         "The disk is full: 2 of 5 pictures downloaded.",
         "diskfull 2/5"},
        {{TaskEnd::FileError, 0, 5, 0, "C:\\Album"},
         true,
         "Cannot write C:\\Album: 0 of 5 pictures downloaded.",
         "fileerror 0/5"},
        {{TaskEnd::ReadError, 2, 3, 0, "E:\\DCIM\\100CARD\\P3.JPG"},
         true,
         "Cannot read E:\\DCIM\\100CARD\\P3.JPG: 2 of 3 pictures downloaded.",
         "readerror 2/3"},
        {{TaskEnd::NoLibrary, 0, 0, 0, "Peltrix.dll (LoadLibrary failed with system error 126)"},
         true,
         "The camera library cannot be loaded: Peltrix.dll (LoadLibrary failed with system "
         "error 126).",
         "nolibrary 0/0"},
        {{TaskEnd::Unsupported, 0, 0, 0, ""},
         true,
         "This host does not serve the chosen connection.",
         "unsupported 0/0"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(standin::IsFailure(c.result.end), c.failure) << c.encoded;
        EXPECT_EQ(standin::DescribeTaskResult(c.result), c.sentence);
        EXPECT_EQ(standin::EncodeTaskResult(c.result), c.encoded);
    }
}

}  // namespace
}  // namespace standin_test
