// A camera whose pictures change during a call (status 137 and a re-read):
// the operation keeps the picture it began with, and the host learns that
// its numbers are stale.
#include "camera_fixture.h"
#include "protocol.h"

namespace peltrix_test {
namespace {

constexpr int kFile = 7;
constexpr int kInUse = 2;  // the host's number of group 1, picture 2

enum Operation { Picture, Thumbnail, Erase };

class CamPicturesChangeTest : public CameraTest {
protected:
    // Two groups of three pictures of three pieces each, listed by the host.
    void SetUp() override {
        for (int group : {1, 2})
            for (int number : {1, 2, 3}) {
                addPicture(group, number, 5000);
                camera.editPictures([&](std::vector<camsim::StoredPicture> &pictures) {
                    pictures.back().thumbnail = patternBytes(3000, 10 * group + number);
                });
            }
        openSession();
        ASSERT_EQ(6, core.Cam_get_picture_count());
        camera.clearRecord();
    }

    // Picture `gone` of group 1 (0: none) vanishes, or picture 2 grows a byte.
    void changeAfter(int pictureRequests, int gone, bool resized) {
        camera.changeAfter(CMD_PICTURE_DATA, pictureRequests,
                           [gone, resized](std::vector<camsim::StoredPicture> &pictures) {
                               if (gone)
                                   pictures.erase(pictures.begin() +
                                                  (&pictureOnCamera(pictures, 1, gone) - pictures.data()));
                               if (resized)
                                   pictureOnCamera(pictures, 1, 2).data.push_back(0);
                           });
    }

    void expectTableAsOnTheCamera() const {
        ASSERT_EQ(static_cast<int>(camera.pictures().size()), core.pictureCount());
        for (size_t i = 0; i < camera.pictures().size(); ++i) {
            const CamPicture &entry = core.picture(static_cast<int>(i));
            EXPECT_EQ(camera.pictures()[i].group, entry.group) << i;
            EXPECT_EQ(camera.pictures()[i].number, entry.number) << i;
            EXPECT_EQ(static_cast<int>(camera.pictures()[i].data.size()), entry.size) << i;
        }
    }
};

TEST_F(CamPicturesChangeTest, OperationKeepsItsPictureAndStaleNumbersAreRefusedUntilListed) {
    const struct {
        Operation op;
        int gone;  // picture of group 1 that vanishes (2: the one in use)
        bool resized;
        int result;
        size_t written;  // bytes of picture 2 (or of its padded thumbnail) in the file
        bool stale;
        int erases;  // erase commands sent
    } cases[] = {
        // A transfer meets the change after its first piece.
        {Picture, 0, false, CAM_OK, 5000, false, 0},  // a 137 with no change
        {Picture, 1, false, CAM_OK, 5000, true, 0},
        {Picture, 2, false, CAM_ERR_PICTURES_CHANGED, 2048, true, 0},
        {Picture, 3, false, CAM_OK, 5000, true, 0},
        {Picture, 0, true, CAM_ERR_PICTURES_CHANGED, 2048, true, 0},
        // The others at their first command.
        {Thumbnail, 0, false, CAM_OK, CAM_THUMBNAIL_SIZE, false, 0},
        {Thumbnail, 1, false, CAM_OK, CAM_THUMBNAIL_SIZE, true, 0},
        {Thumbnail, 2, false, CAM_ERR_PICTURES_CHANGED, 0, true, 0},
        {Thumbnail, 3, false, CAM_OK, CAM_THUMBNAIL_SIZE, true, 0},
        {Erase, 0, false, CAM_OK, 0, false, 2},
        {Erase, 1, false, CAM_OK, 0, true, 2},
        {Erase, 2, false, CAM_ERR_PICTURES_CHANGED, 0, true, 1},
        {Erase, 3, false, CAM_OK, 0, true, 2},
    };
    const camsim::StoredPicture original = camera.pictures()[1];
    Bytes thumbnail = original.thumbnail;
    thumbnail.resize(CAM_THUMBNAIL_SIZE, 0);
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "operation " << c.op << ", picture " << c.gone
                                        << " goes, resized " << c.resized);
        ASSERT_EQ(CAM_OK, core.Cam_session_enabled(0));
        camera.restartAt(19200);
        camera.editPictures([](std::vector<camsim::StoredPicture> &pictures) { pictures.clear(); });
        camera.clearRecord();
        camera.openablePorts = {3};
        camera.cameraPort = 3;
        files = RecordingFileSink{};
        SetUp();

        changeAfter(c.op == Picture ? 1 : 0, c.gone, c.resized);
        const int result = c.op == Picture     ? core.Cam_get_picture_file(kFile, kInUse)
                           : c.op == Thumbnail ? core.Cam_get_thumbnail_file(kFile, kInUse)
                                               : core.Cam_erase_select(kInUse);
        EXPECT_EQ(c.result, result);
        EXPECT_EQ(c.result, core.Cam_error());
        EXPECT_EQ(Open, core.sessionState());
        const Bytes &whole = c.op == Thumbnail ? thumbnail : original.data;
        EXPECT_EQ(Bytes(whole.begin(), whole.begin() + static_cast<long>(c.written)),
                  files.files[kFile]);
        EXPECT_EQ(c.erases, countSent(CMD_ERASE));
        EXPECT_EQ((c.op == Erase && c.result == CAM_OK) || c.gone == 2, !camera.findPicture(1, 2));
        // Every request about one picture named the picture the call began with.
        for (const Bytes &sent : camera.commandsSent())
            if (sent[0] == CMD_PICTURE_DATA || sent[0] == CMD_THUMBNAIL || sent[0] == CMD_ERASE) {
                EXPECT_EQ((Bytes{1, 0, 2, 0}), Bytes(sent.begin() + 4, sent.begin() + 8));
            }
        expectTableAsOnTheCamera();
        EXPECT_EQ(c.stale, core.numbersStale());

        // Calls that take a number are refused without traffic while stale.
        camera.clearRecord();
        EXPECT_EQ(c.stale ? CAM_ERR_PICTURES_CHANGED : CAM_OK, core.Cam_erase_select(1));
        EXPECT_EQ(c.stale ? 0 : 1, countSent(CMD_ERASE));
        if (!c.stale)
            continue;
        EXPECT_EQ(CAM_ERR_PICTURES_CHANGED, core.Cam_get_picture_file(kFile + 1, 1));
        EXPECT_EQ(CAM_ERR_PICTURES_CHANGED, core.Cam_get_thumbnail_file(kFile + 1, 1));
        EXPECT_EQ(CAM_ERR_PICTURES_CHANGED, core.Cam_erase_last());
        EXPECT_EQ(CAM_ERR_PICTURES_CHANGED, core.Cam_erase_all());
        EXPECT_TRUE(camera.commandsSent().empty());
        // Listed again, the numbers are good.
        EXPECT_EQ(static_cast<int>(camera.pictures().size()), core.Cam_get_picture_count());
        EXPECT_EQ(CAM_OK, core.Cam_get_picture_file(kFile + 1, 1));
        EXPECT_EQ(camera.pictures()[0].data, files.files[kFile + 1]);
    }
}

// A re-sync request while a session opens cannot read the table at once; the
// read at the next use still finds the change.
TEST_F(CamPicturesChangeTest, ChangeNoticedWhileASessionOpensIsFoundAtTheNextRead) {
    ASSERT_EQ(CAM_OK, core.Cam_session_enabled(0));
    camera.editPictures([](std::vector<camsim::StoredPicture> &pictures) {
        pictures.erase(pictures.begin());
    });
    camera.answerStatus(CMD_SET_SPEED, CAM_STATUS_RESYNC, 1);
    camera.clearRecord();
    EXPECT_EQ(CAM_ERR_PICTURES_CHANGED, core.Cam_get_picture_file(kFile, kInUse));
    EXPECT_EQ(0, countSent(CMD_PICTURE_DATA));
    EXPECT_EQ(1, countSent(CMD_LIST_GROUPS));
    EXPECT_TRUE(files.files[kFile].empty());
}

}  // namespace
}  // namespace peltrix_test
