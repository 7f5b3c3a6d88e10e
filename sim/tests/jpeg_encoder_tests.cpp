// The encoder's files are judged by an independent decoder (ImageMagick).
#include "jpeg_encoder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "file_test_support.h"
#include "pattern_images.h"
#include "picture_set.h"

namespace camsim_test {
namespace {

using namespace camsim;


std::string identify(const std::filesystem::path &file) {
    const auto r =
        runCommand("identify -regard-warnings -format '%m %wx%h' '" + file.string() + "'");
    return r.status == 0 ? r.output : "FAILED: " + r.output;
}

// Mean absolute difference per channel between the source raster and what
// ImageMagick decodes from our file.
double meanDecodingError(const RgbImage &source, const std::filesystem::path &file,
                         const std::filesystem::path &raw) {
    const auto r =
        runCommand("convert '" + file.string() + "' -depth 8 'rgb:" + raw.string() + "'");
    if (r.status != 0)
        return 1e9;
    const auto decoded = readBytes(raw);
    if (decoded.size() != source.pixels.size())
        return 1e9;
    double sum = 0;
    for (size_t i = 0; i < decoded.size(); ++i)
        sum += std::abs(int(decoded[i]) - int(source.pixels[i]));
    return sum / decoded.size();
}

TEST(JpegEncoder, OddSizedPictureDecodesToItsSizeAndColours) {
    TempDir dir;
    for (Pattern pattern : {Pattern::Gradient, Pattern::Rings, Pattern::Checker}) {
        const RgbImage image =
            drawPattern({pattern, 37, 21, 0, 3});  // partial 8x8 blocks on both edges
        const auto file = dir.path() / "odd.jpg";
        writeBytes(file, encodeJpeg(image, 95));
        EXPECT_EQ(identify(file), "JPEG 37x21");
        EXPECT_LT(meanDecodingError(image, file, dir.path() / "odd.rgb"), 4.0);
    }
}

TEST(JpegEncoder, SolidColourSurvivesTheRoundTrip) {
    TempDir dir;
    RgbImage image(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.set(x, y, 200, 30, 90);
    const auto file = dir.path() / "solid.jpg";
    writeBytes(file, encodeJpeg(image, 90));
    EXPECT_LT(meanDecodingError(image, file, dir.path() / "solid.rgb"), 2.0);
}

TEST(JpegEncoder, LowerQualityGivesSmallerFiles) {
    const RgbImage image = drawPattern({Pattern::Plasma, 160, 120, 8, 5});
    EXPECT_LT(encodeJpeg(image, 30).size(), encodeJpeg(image, 90).size());
}

TEST(JpegEncoder, FileIsFramedBySoiAndEoi) {
    const auto bytes = encodeJpeg(drawPattern({Pattern::Stripes, 64, 48, 0, 2}), 75);
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
    EXPECT_EQ(bytes[bytes.size() - 2], 0xFF);
    EXPECT_EQ(bytes[bytes.size() - 1], 0xD9);
}

TEST(BuiltInPictures, AreValidJpegFilesOfTheIntendedSizes) {
    TempDir dir;
    const auto files = builtInPictureFiles();
    ASSERT_GE(files.size(), 10u);
    uint64_t total = 0;
    for (const auto &f : files) {
        const auto path = dir.path() / f.name;
        writeBytes(path, f.data);
        EXPECT_EQ(identify(path).rfind("JPEG ", 0), 0u) << f.name << ": " << identify(path);
        writeBytes(dir.path() / "thumb.jpg", f.thumbnailStill);
        EXPECT_EQ(identify(dir.path() / "thumb.jpg"), "JPEG 160x120") << f.name;
        EXPECT_GE(f.data.size(), 7000u) << f.name;
        EXPECT_LE(f.data.size(), 130000u) << f.name;
        total += f.data.size();
    }
    EXPECT_GT(total, 300000u);
    EXPECT_LT(total, 500000u);
    std::cout << "built-in set: " << files.size() << " pictures, " << total << " bytes\n";
}

TEST(BuiltInPictures, AreTheSameOnEveryCall) {
    const auto a = builtInPictureFiles();
    const auto b = builtInPictureFiles();
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].name, b[i].name);
        EXPECT_EQ(a[i].data, b[i].data) << a[i].name;
        EXPECT_EQ(a[i].thumbnailStill, b[i].thumbnailStill) << a[i].name;
    }
}

}  // namespace
}  // namespace camsim_test
