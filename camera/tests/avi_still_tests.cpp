// Finding the JPEG still inside an AVI thumbnail, with hostile chunk sizes.
#include "avi_still.h"
#include "protocol.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace peltrix_test {
namespace {

using namespace peltrix;

constexpr int kSize = CAM_THUMBNAIL_SIZE;

class CamAviStillTest : public ::testing::Test {
protected:
    std::vector<std::uint8_t> buffer = std::vector<std::uint8_t>(kSize, 0);

    int chunk(int position, const char *tag, std::uint32_t size) {
        std::memcpy(buffer.data() + position, tag, 4);
        camStore32(buffer.data() + position + 4, size);
        return position + 8;
    }
    void header() {
        std::memcpy(buffer.data(), "RIFF", 4);
        std::memcpy(buffer.data() + 8, "AVI ", 4);
    }
    bool find(AviStill &still) { return findAviStill(buffer.data(), kSize, still); }
};

TEST_F(CamAviStillTest, RecognisesRiffAvi) {
    EXPECT_FALSE(isAviThumbnail(buffer.data(), kSize));
    header();
    EXPECT_TRUE(isAviThumbnail(buffer.data(), kSize));
    std::memcpy(buffer.data() + 8, "WAVE", 4);
    EXPECT_FALSE(isAviThumbnail(buffer.data(), kSize));
}

TEST_F(CamAviStillTest, FindsTheMarkerInsideJunk) {
    header();
    int data = chunk(12, "LIST", 20);
    data = chunk(data + 20, "LIST", 0);
    data = chunk(data, "JUNK", 1000);
    buffer[static_cast<size_t>(data) + 3] = 0xFF;
    buffer[static_cast<size_t>(data) + 4] = 0xD8;
    AviStill still{};
    ASSERT_TRUE(find(still));
    EXPECT_EQ(data + 3, still.offset);
    EXPECT_EQ(1000, still.length);
}

TEST_F(CamAviStillTest, RejectsMissingOrEmptyJunk) {
    header();
    int data = chunk(12, "LIST", 4);
    data = chunk(data + 4, "LIST", 4);
    const int third = data + 4;
    chunk(third, "JUNK", 0);
    buffer[static_cast<size_t>(third) + 8] = 0xFF;
    buffer[static_cast<size_t>(third) + 9] = 0xD8;
    AviStill still{};
    EXPECT_FALSE(find(still));
    chunk(third, "junk", 100);
    EXPECT_FALSE(find(still));
    chunk(12, "RIFF", 4);
    EXPECT_FALSE(find(still)) << "first chunk must be LIST";
}

TEST_F(CamAviStillTest, MarkerBeyondTheScanLimitIsNotFound) {
    header();
    int data = chunk(12, "LIST", 4);
    data = chunk(data + 4, "LIST", 4);
    data = chunk(data + 4, "JUNK", 100);  // scan stops 100 bytes from the buffer start
    buffer[200] = 0xFF;
    buffer[201] = 0xD8;
    AviStill still{};
    EXPECT_FALSE(find(still));
}

TEST_F(CamAviStillTest, HugeChunkSizesStayInsideTheBuffer) {
    header();
    chunk(12, "LIST", 0xFFFFFFF0u);  // would wrap a 32-bit position
    AviStill still{};
    EXPECT_FALSE(find(still));

    int data = chunk(12, "LIST", kSize - 40);
    EXPECT_FALSE(find(still)) << "second chunk header past the end";

    data = chunk(12, "LIST", 4);
    data = chunk(data + 4, "LIST", 4);
    data = chunk(data + 4, "JUNK", 0x7FFFFFFF);
    EXPECT_FALSE(find(still)) << "no marker: the scan ends at the buffer's end";

    buffer[kSize - 2] = 0xFF;
    buffer[kSize - 1] = 0xD8;
    ASSERT_TRUE(find(still));
    EXPECT_EQ(kSize - 2, still.offset);
    EXPECT_EQ(2, still.length);
}

}  // namespace
}  // namespace peltrix_test
