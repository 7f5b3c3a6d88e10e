// Thumbnail answers: plain JPEG stills and the AVI wrapping the host unpacks.
#include "thumbnail_builder.h"

#include <gtest/gtest.h>

#include <cstring>

#include "byte_order.h"
#include "file_test_support.h"
#include "jpeg_encoder.h"
#include "pattern_images.h"
#include "picture_set.h"
#include "protocol.h"

namespace camsim_test {
namespace {

using namespace camsim;

using Bytes = std::vector<uint8_t>;

Bytes sampleStill() {
    return encodeJpeg(drawPattern({Pattern::Rings, 160, 120, 0, 4}), 50);
}

bool tagAt(const Bytes &b, size_t pos, const char *tag) {
    return pos + 4 <= b.size() && std::memcmp(&b[pos], tag, 4) == 0;
}

struct Chunk {
    std::string tag;
    size_t dataOffset;
    uint32_t size;
};

// The chunks behind the 12-byte RIFF header, in order.
std::vector<Chunk> chunksOf(const Bytes &avi) {
    std::vector<Chunk> out;
    for (size_t pos = 12; pos + 8 <= avi.size();) {
        const uint32_t size = readLe32(&avi[pos + 4]);
        out.push_back({std::string(avi.begin() + pos, avi.begin() + pos + 4), pos + 8, size});
        pos += 8 + size + (size % 2);
    }
    return out;
}

TEST(AviThumbnail, RiffHeaderThenListListJunk) {
    const Bytes still = sampleStill();
    const Bytes avi = wrapStillInAvi(still);
    ASSERT_TRUE(tagAt(avi, 0, "RIFF"));
    EXPECT_EQ(readLe32(&avi[4]), avi.size() - 8);
    EXPECT_TRUE(tagAt(avi, 8, "AVI "));
    const auto chunks = chunksOf(avi);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].tag, "LIST");
    EXPECT_EQ(chunks[1].tag, "LIST");
    EXPECT_EQ(chunks[2].tag, "JUNK");
    EXPECT_TRUE(tagAt(avi, chunks[0].dataOffset, "hdrl"));
    EXPECT_EQ(chunks[1].dataOffset, chunks[0].dataOffset + chunks[0].size + 8);
}

TEST(AviThumbnail, JunkChunkHoldsTheStillFromItsStartOfImage) {
    const Bytes still = sampleStill();
    const Bytes avi = wrapStillInAvi(still);
    const Chunk junk = chunksOf(avi).at(2);
    EXPECT_EQ(junk.size, still.size());
    ASSERT_LE(junk.dataOffset + junk.size, avi.size());
    EXPECT_EQ(avi[junk.dataOffset], 0xFF);
    EXPECT_EQ(avi[junk.dataOffset + 1], 0xD8);
    EXPECT_EQ(Bytes(avi.begin() + junk.dataOffset, avi.begin() + junk.dataOffset + junk.size),
              still);
}

TEST(AviThumbnail, OddSizedStillKeepsTheChunkSizeExact) {
    Bytes still = sampleStill();
    if (still.size() % 2 == 0)
        still.insert(still.end() - 2, 0x00);  // make it odd
    const Bytes avi = wrapStillInAvi(still);
    EXPECT_EQ(chunksOf(avi).at(2).size, still.size());
    EXPECT_EQ(readLe32(&avi[4]), avi.size() - 8);
}

TEST(PlainThumbnail, IsTheStillItselfOrPaddedToFullCapacity) {
    const Bytes still = sampleStill();
    EXPECT_EQ(buildThumbnail(still, ThumbnailForm::Plain), still);
    const Bytes padded = buildThumbnail(still, ThumbnailForm::PlainPadded);
    ASSERT_EQ(padded.size(), kThumbnailCapacity);
    EXPECT_EQ(Bytes(padded.begin(), padded.begin() + still.size()), still);
}

TEST(Thumbnail, TooLargeStillIsRejected) {
    const Bytes huge(kThumbnailCapacity - 10, 0xAB);
    EXPECT_NO_THROW(buildThumbnail(huge, ThumbnailForm::Plain));
    EXPECT_THROW(buildThumbnail(huge, ThumbnailForm::Avi), std::length_error);
    EXPECT_THROW(buildThumbnail(Bytes(kThumbnailCapacity + 1, 0), ThumbnailForm::Plain),
                 std::length_error);
}

TEST(Thumbnail, BuiltInSetMixesFormsWithinCapacity) {
    const PictureStore store = arrangeInGroups(builtInPictureFiles(), GroupLayout{});
    int avi = 0, padded = 0, plain = 0;
    for (const auto &p : store.all()) {
        ASSERT_LE(p.thumbnail.size(), kThumbnailCapacity);
        if (tagAt(p.thumbnail, 0, "RIFF")) {
            ++avi;
            const Chunk junk = chunksOf(p.thumbnail).at(2);
            EXPECT_EQ(Bytes(p.thumbnail.begin() + junk.dataOffset,
                            p.thumbnail.begin() + junk.dataOffset + junk.size),
                      p.thumbnailStill);
        } else if (p.thumbnail.size() == kThumbnailCapacity) {
            ++padded;
        } else {
            ++plain;
            EXPECT_EQ(p.thumbnail, p.thumbnailStill);
        }
    }
    EXPECT_GT(avi, 0);
    EXPECT_GT(padded, 0);
    EXPECT_GT(plain, 0);
}

TEST(Thumbnail, StillInsideTheAviIsAViewableJpeg) {
    TempDir dir;
    const Bytes avi = wrapStillInAvi(sampleStill());
    const Chunk junk = chunksOf(avi).at(2);
    writeBytes(
        dir.path() / "still.jpg",
        Bytes(avi.begin() + junk.dataOffset, avi.begin() + junk.dataOffset + junk.size));
    const auto r = runCommand("identify -regard-warnings -format '%m %wx%h' '" +
                                            (dir.path() / "still.jpg").string() + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.output, "JPEG 160x120");
}

}  // namespace
}  // namespace camsim_test
