// Arranging pictures into groups, loading a folder, exporting what is served.
#include "picture_set.h"

#include <gtest/gtest.h>

#include "file_test_support.h"
#include "jpeg_encoder.h"
#include "pattern_images.h"

namespace camsim_test {
namespace {

using namespace camsim;

using Bytes = std::vector<uint8_t>;

std::vector<PictureFile> numberedFiles(size_t count) {
    std::vector<PictureFile> files(count);
    for (size_t i = 0; i < count; ++i) {
        files[i].name = "IMG" + std::to_string(i) + ".JPG";
        files[i].data = Bytes(10 + i, static_cast<uint8_t>(i));
        files[i].thumbnailStill = {0xFF, 0xD8, static_cast<uint8_t>(i), 0xFF, 0xD9};
    }
    return files;
}

TEST(PictureSet, NinePerGroupFromGroupHundred) {
    const PictureStore store = arrangeInGroups(numberedFiles(20), GroupLayout{});
    EXPECT_EQ(store.groups(), (std::vector<uint16_t>{100, 101, 102}));
    EXPECT_EQ(store.countIn(100), 9u);
    EXPECT_EQ(store.countIn(102), 2u);
    EXPECT_EQ(store.all()[9].group, 101);
    EXPECT_EQ(store.all()[9].number, 1);
    EXPECT_EQ(store.all()[8].number, 9);
    EXPECT_EQ(store.find(101, 1)->data, Bytes(19, 9));
}

TEST(PictureSet, FolderLoadsOnlyJpegFilesSortedByName) {
    TempDir dir;
    const Bytes b = encodeJpeg(drawPattern({Pattern::Checker, 40, 30, 0, 1}), 80);
    writeBytes(dir.path() / "b.jpg", b);
    writeBytes(dir.path() / "a.JPEG", Bytes{0xFF, 0xD8, 1, 2, 0xFF, 0xD9});
    writeBytes(dir.path() / "notes.txt", Bytes{'x'});
    std::filesystem::create_directory(dir.path() / "sub.jpg");
    const auto files = loadPictureFolder(dir.path().string());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].name, "a.JPEG");
    EXPECT_EQ(files[1].name, "b.jpg");
    EXPECT_EQ(files[1].data, b);
    for (const auto &f : files) {
        ASSERT_GE(f.thumbnailStill.size(), 2u);
        EXPECT_EQ(f.thumbnailStill[0], 0xFF);
        EXPECT_EQ(f.thumbnailStill[1], 0xD8);
    }
}

TEST(PictureSet, EmbeddedPreviewBecomesTheThumbnail) {
    TempDir dir;
    const Bytes preview = encodeJpeg(drawPattern({Pattern::Rings, 32, 24, 0, 2}), 60);
    Bytes app1Body = {'E', 'x', 'i', 'f', 0, 0, 1, 2, 3};
    app1Body.insert(app1Body.end(), preview.begin(), preview.end());
    const size_t length = app1Body.size() + 2;
    Bytes file = {
        0xFF, 0xD8, 0xFF, 0xE1, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)};
    file.insert(file.end(), app1Body.begin(), app1Body.end());
    file.insert(file.end(), {0xFF, 0xD9});
    writeBytes(dir.path() / "cam.jpg", file);
    const auto files = loadPictureFolder(dir.path().string());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].thumbnailStill, preview);
}

TEST(PictureSet, MissingFolderIsAnError) {
    EXPECT_THROW(loadPictureFolder("/nonexistent/camsim-pictures"), std::runtime_error);
}

TEST(PictureSet, ExportWritesEveryServedPictureByHostNumber) {
    TempDir dir;
    const PictureStore store = arrangeInGroups(numberedFiles(11), GroupLayout{});
    exportPictures(store, dir.path().string());
    EXPECT_EQ(readBytes(dir.path() / "001_100_0001.jpg"), store.all()[0].data);
    EXPECT_EQ(readBytes(dir.path() / "011_101_0002.jpg"), store.all()[10].data);
    EXPECT_EQ(readBytes(dir.path() / "011_101_0002_thumb.jpg"),
              store.all()[10].thumbnailStill);
    size_t count = 0;
    for (const auto &entry : std::filesystem::directory_iterator(dir.path()))
        count += entry.is_regular_file();
    EXPECT_EQ(count, 22u);
}

}  // namespace
}  // namespace camsim_test
