// Erasing pictures and asking the camera about itself.
#include "camera_fixture.h"
#include "protocol.h"

#include <cstring>

namespace peltrix_test {
namespace {

class CamEraseTest : public CameraTest {
protected:
    void SetUp() override {
        for (int n = 1; n <= 5; ++n)
            addPicture(n <= 2 ? 1 : 2, n, 100 * n);
        openSession();
        ASSERT_EQ(5, core.Cam_get_picture_count());
        camera.clearRecord();
    }
    std::vector<int> tableNumbers() const {
        std::vector<int> numbers;
        for (int i = 0; i < core.pictureCount(); ++i)
            numbers.push_back(core.picture(i).number);
        return numbers;
    }
};

TEST_F(CamEraseTest, ErasingShiftsTheTableWithoutRereading) {
    EXPECT_EQ(CAM_OK, core.Cam_erase_select(2));
    EXPECT_EQ((std::vector<Bytes>{{0x43, 0x05, 0x04, 0x00, 1, 0, 2, 0}}), camera.commandsSent());
    EXPECT_EQ((std::vector<int>{1, 3, 4, 5}), tableNumbers());
    EXPECT_EQ(300, core.picture(1).size);
    EXPECT_EQ(4, core.pictureCount());
}

TEST_F(CamEraseTest, ErasingTheLastMovesNothing) {
    EXPECT_EQ(CAM_OK, core.Cam_erase_select(5));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), tableNumbers());
    EXPECT_EQ(CAM_OK, core.Cam_erase_last());
    EXPECT_EQ((Bytes{0x43, 0x05, 0x04, 0x00, 2, 0, 4, 0}), camera.commandsSent().back());
    EXPECT_EQ((std::vector<int>{1, 2, 3}), tableNumbers());
}

TEST_F(CamEraseTest, EraseAllTakesTheFirstEachTimeAndForgetsTheCount) {
    EXPECT_EQ(CAM_OK, core.Cam_erase_all());
    const auto sent = camera.commandsSent();
    ASSERT_EQ(5u, sent.size());
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(n, sent[static_cast<size_t>(n - 1)][6]);
    EXPECT_EQ(-1, core.pictureCount());
    EXPECT_TRUE(camera.pictures().empty());
}

TEST_F(CamEraseTest, EraseAllStopsAtTheFirstFailure) {
    camera.editPictures([](std::vector<camsim::StoredPicture> &pictures) {
        pictureOnCamera(pictures, 1, 2).number = 9;  // the camera no longer knows picture 2: refused
    });
    EXPECT_EQ(CAM_ERR_CAMERA, core.Cam_erase_all());
    EXPECT_EQ((std::vector<int>{2, 3, 4, 5}), tableNumbers());
}

TEST_F(CamEraseTest, RefusedEraseKeepsTheTable) {
    camera.answerStatus(0x43, 142, 1);
    EXPECT_EQ(CAM_ERR_CAMERA, core.Cam_erase_select(3));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5}), tableNumbers());
}

TEST_F(CamEraseTest, NumbersOutsideTheTableEraseNothing) {
    for (int n : {0, 6, -1, 1000, 1001})
        EXPECT_EQ(CAM_ERR_PARAM, core.Cam_erase_select(n)) << n;
    EXPECT_TRUE(camera.commandsSent().empty());
    EXPECT_EQ(5, core.pictureCount());
}

TEST_F(CamEraseTest, EraseLastOnAnEmptyCameraErasesNothing) {
    camera.editPictures([](std::vector<camsim::StoredPicture> &pictures) { pictures.clear(); });
    ASSERT_EQ(0, core.Cam_get_picture_count());
    camera.clearRecord();
    EXPECT_EQ(CAM_ERR_PARAM, core.Cam_erase_last());
    EXPECT_EQ(CAM_OK, core.Cam_erase_all());
    EXPECT_TRUE(camera.commandsSent().empty());
}

TEST_F(CamEraseTest, ResyncDuringAnEraseKeepsTheTableConsistent) {
    camera.answerStatus(0x43, 137, 1);
    EXPECT_EQ(CAM_OK, core.Cam_erase_select(2));
    // The table was read afresh (5 pictures) before the erase went out again.
    EXPECT_EQ((std::vector<int>{1, 3, 4, 5}), tableNumbers());
}

// --- texts and status ------------------------------------------------------------------

class CamInfoTest : public CameraTest {
protected:
    char text[1100];
    void SetUp() override {
        std::memset(text, kSentinel, sizeof text);
        openSession();
    }
};

TEST_F(CamInfoTest, VersionIsTerminatedBehindTheAnswer) {
    EXPECT_EQ(CAM_OK, core.Cam_get_version(text));
    EXPECT_EQ(0, std::memcmp(text, "V1.02a", 7));
    EXPECT_EQ(static_cast<char>(kSentinel), text[7]);
    EXPECT_EQ((Bytes{0x25, 0, 0, 0}), camera.commandsSent().back());
}

TEST_F(CamInfoTest, TextStopsAtAZeroByteAndZeroesTheRest) {
    camera.profile().version = textOf(Bytes{'A', 'B', 0, 'C', 'D'});
    EXPECT_EQ(CAM_OK, core.Cam_get_version(text));
    EXPECT_EQ(0, std::memcmp(text, "AB\0\0\0\0", 6));
    EXPECT_EQ(static_cast<char>(kSentinel), text[6]);
    camera.profile().version.clear();
    EXPECT_EQ(CAM_OK, core.Cam_get_version(text));
    EXPECT_EQ('\0', text[0]);
}

TEST_F(CamInfoTest, LongestAnswerWritesAtMost1025Bytes) {
    camera.profile().version = std::string(1500, 'x');
    EXPECT_EQ(CAM_OK, core.Cam_get_version(text));
    EXPECT_EQ(1024u, std::strlen(text));
    EXPECT_EQ(static_cast<char>(kSentinel), text[1025]);
}

TEST_F(CamInfoTest, FailedVersionLeavesTheBuffer) {
    camera.answerStatus(0x25, 135, 1);
    EXPECT_EQ(CAM_ERR_CAMERA, core.Cam_get_version(text));
    EXPECT_EQ(static_cast<char>(kSentinel), text[0]);
}

TEST_F(CamInfoTest, MakerFallsBackToTheDefaultName) {
    EXPECT_EQ(CAM_OK, core.Cam_get_maker(text));
    EXPECT_STREQ("Orvo", text);
    camera.profile().maker.clear();
    EXPECT_EQ(CAM_OK, core.Cam_get_maker(text));
    EXPECT_STREQ("Toshiba", text);
    std::memset(text, kSentinel, sizeof text);
    camera.answerStatus(0x20, 136, 1);
    EXPECT_EQ(CAM_OK, core.Cam_get_maker(text));
    EXPECT_STREQ("Toshiba", text);
    EXPECT_EQ(static_cast<char>(kSentinel), text[8]);
    EXPECT_EQ(CAM_OK, core.Cam_error());
}

TEST_F(CamInfoTest, CameraTypeNeedsNoCamera) {
    camera.clearRecord();
    EXPECT_EQ(CAM_OK, core.Cam_get_cam_type(text));
    EXPECT_STREQ("PDR-M4", text);
    EXPECT_EQ(static_cast<char>(kSentinel), text[7]);
    EXPECT_TRUE(camera.calls.empty());
}

TEST_F(CamInfoTest, MemoryStatusIsSigned16Bits) {
    EXPECT_EQ(10000, core.Cam_get_memory_status());
    camera.replacePayload(CMD_MEMORY_STATUS, Bytes{1, 2, 3, 4, 5, 6, 0xFF, 0xFF}, 1);
    core.cam_set_error(CAM_ERR_CAMERA);
    EXPECT_EQ(-1, core.Cam_get_memory_status());
    EXPECT_EQ(CAM_ERR_CAMERA, core.Cam_error()) << "success stores nothing";
    camera.profile().memoryStatus = -32768;  // 00 80 in bytes 6-7
    EXPECT_EQ(-32768, core.Cam_get_memory_status());
}

TEST_F(CamInfoTest, MemoryStatusIsZeroWithoutAnAnswer) {
    camera.replacePayload(CMD_MEMORY_STATUS, Bytes{}, 1);
    EXPECT_EQ(0, core.Cam_get_memory_status());
    camera.replacePayload(CMD_MEMORY_STATUS, Bytes{1, 2, 3, 4, 5, 6, 7}, 1);  // too short to carry the status
    EXPECT_EQ(0, core.Cam_get_memory_status());
    camera.answerStatus(0x11, 138, 1);
    EXPECT_EQ(0, core.Cam_get_memory_status());
}

}  // namespace
}  // namespace peltrix_test
