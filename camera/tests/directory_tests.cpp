// Reading the camera's directory into the picture table.
#include "camera_fixture.h"
#include "protocol.h"

namespace peltrix_test {
namespace {

using CamDirectoryTest = CameraTest;

TEST_F(CamDirectoryTest, ReadsGroupsThenPicturesWithTheirSizes) {
    addPicture(7, 1, 5000);
    addPicture(7, 4, 10);
    addPicture(0, 2, 300);
    camera.addEmptyGroup(9);  // a group without pictures adds nothing
    openSession();
    EXPECT_EQ(3, core.Cam_get_picture_count());
    EXPECT_EQ(CAM_OK, core.Cam_error());
    const CamPicture expected[] = {{7, 1, 5000}, {7, 4, 10}, {0, 2, 300}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(expected[i].group, core.picture(i).group) << i;
        EXPECT_EQ(expected[i].number, core.picture(i).number) << i;
        EXPECT_EQ(expected[i].size, core.picture(i).size) << i;
    }
    // One list, one listing per group after a 500 ms pause, one request per picture.
    const auto sent = camera.commandsSent();
    ASSERT_EQ(1u + 3u + 3u, sent.size());
    EXPECT_EQ((Bytes{0x14, 0, 0, 0}), sent[0]);
    EXPECT_EQ((Bytes{0x15, 0, 4, 0, 7, 0, 0, 0}), sent[1]);
    EXPECT_EQ((Bytes{0x15, 0, 4, 0, 7, 0, 1, 0}), sent[2]);
    EXPECT_EQ((Bytes{0x15, 0, 4, 0, 9, 0, 0, 0}), sent.back());
    int longPauses = 0;
    for (int ms : camera.pauses())
        longPauses += ms == 500;
    EXPECT_EQ(3, longPauses);
}

TEST_F(CamDirectoryTest, CameraWithoutGroupsHasNoPictures) {
    openSession();
    EXPECT_EQ(0, core.Cam_get_picture_count());
    EXPECT_EQ(1u, camera.commandsSent().size());
}

TEST_F(CamDirectoryTest, CountIsCachedUntilAskedAgain) {
    addPicture(1, 1, 100);
    openSession();
    EXPECT_EQ(100, core.Cam_get_picture_size(1));
    const size_t afterFirstRead = camera.commandsSent().size();
    EXPECT_EQ(100, core.Cam_get_picture_size(1));
    int type = -1;
    EXPECT_EQ(0, core.Cam_get_picture_type(1, &type));
    EXPECT_EQ(afterFirstRead, camera.commandsSent().size()) << "no second read";
    addPicture(1, 2, 50);
    EXPECT_EQ(2, core.Cam_get_picture_count()) << "the count export always reads afresh";
}

TEST_F(CamDirectoryTest, PictureTypeTellsGroupZero) {
    addPicture(0, 1, 10);
    addPicture(3, 1, 10);
    openSession();
    int type = -1;
    core.cam_set_error(CAM_ERR_CAMERA);
    EXPECT_EQ(0, core.Cam_get_picture_type(1, &type));
    EXPECT_EQ(1, type);
    EXPECT_EQ(CAM_OK, core.Cam_error());
    EXPECT_EQ(0, core.Cam_get_picture_type(2, &type));
    EXPECT_EQ(0, type);
}

TEST_F(CamDirectoryTest, FailedListingsAreSkippedAndTheReadSucceeds) {
    addPicture(1, 1, 10);
    addPicture(2, 1, 20);
    addPicture(2, 2, 30);
    openSession();
    camera.answerStatus(0x15, 134, 1);  // listing of group 1 refused
    EXPECT_EQ(2, core.Cam_get_picture_count());
    EXPECT_EQ(CAM_OK, core.Cam_error());
    EXPECT_EQ(2, core.picture(0).group);
    EXPECT_EQ(30, core.picture(1).size);
}

TEST_F(CamDirectoryTest, FailedInformationRequestGivesSizeZero) {
    addPicture(1, 1, 10);
    addPicture(1, 2, 20);
    openSession();
    // The information request about picture 1 (the second group-entry
    // command, after the listing) is refused.
    camsim::Fault refusal;
    refusal.kind = camsim::FaultKind::Refuse;
    refusal.command = CMD_GROUP_ENTRY;
    refusal.ordinal = 2;
    camera.addFault(refusal);
    EXPECT_EQ(2, core.Cam_get_picture_count());
    EXPECT_EQ(CAM_OK, core.Cam_error());
    EXPECT_EQ(1, core.picture(0).number);
    EXPECT_EQ(0, core.picture(0).size);
    EXPECT_EQ(20, core.picture(1).size);
}

TEST_F(CamDirectoryTest, FailingGroupListLeavesTheCountUnknown) {
    addPicture(1, 1, 10);
    openSession();
    camera.answerStatus(0x14, 134, 1);
    EXPECT_EQ(-1, core.Cam_get_picture_count());
    EXPECT_EQ(CAM_ERR_CAMERA, core.Cam_error());
    EXPECT_EQ(-1, core.pictureCount());
}

TEST_F(CamDirectoryTest, SessionFailureStoresItsCode) {
    camera.cameraPort = 0;
    ASSERT_EQ(3, core.Cam_set_port(3));
    EXPECT_EQ(-1, core.Cam_get_picture_count());
    EXPECT_EQ(CAM_ERR_OPEN, core.Cam_error());
}

TEST_F(CamDirectoryTest, TableLimitsAreKept) {
    // 120 groups of 9 pictures: only 100 groups are looked at, and the table
    // ends at 1000 pictures without asking for the rest.
    camera.editPictures([](std::vector<camsim::StoredPicture> &pictures) {
        for (int g = 1; g <= 120; ++g)
            for (int p = 1; p <= 9; ++p)
                pictures.push_back(storedPicture(g, p, Bytes(static_cast<size_t>(g), 1)));
    });
    openSession();
    EXPECT_EQ(900, core.Cam_get_picture_count());
    EXPECT_EQ(100, core.picture(899).group);

    camera.editPictures([](std::vector<camsim::StoredPicture> &pictures) {
        pictures.clear();
        for (int g = 1; g <= 5; ++g)
            for (int p = 1; p <= 300; ++p)
                pictures.push_back(storedPicture(g, p, Bytes(1, 1)));
    });
    camera.clearRecord();
    // 300 records do not fit a 1024-byte answer: 256 per group are kept.
    EXPECT_EQ(CAM_MAX_PICTURES, core.Cam_get_picture_count());
    EXPECT_EQ(4, core.picture(999).group);
    EXPECT_EQ(232, core.picture(999).number);
    EXPECT_EQ(1 + 4 + 1000, static_cast<int>(camera.commandsSent().size()))
        << "group 5 is not listed once the table is full";
}

TEST_F(CamDirectoryTest, OutOfRangePictureNumbersStayInsideTheTable) {
    addPicture(0, 1, 10);
    openSession();
    int type = 77;
    for (int n : {0, -1, 2, 1000, 1001, 1 << 30}) {
        EXPECT_EQ(0, core.Cam_get_picture_size(n)) << n;
        EXPECT_EQ(0, core.Cam_get_picture_type(n, &type)) << n;
        EXPECT_EQ(0, type) << n;
    }
    EXPECT_EQ(0, core.Cam_get_picture_type(1, nullptr));
}

}  // namespace
}  // namespace peltrix_test
