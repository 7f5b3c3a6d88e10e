// Copying pictures and thumbnails into host files.
#include "camera_fixture.h"
#include "protocol.h"
#include "transfer_progress.h"

#include <cstring>

namespace peltrix_test {
namespace {

constexpr int kFile = 42;

// Progress reports as the host's callback sees them.
struct ProgressLog {
    std::vector<int> percents;
    int stopAtCall = -1;  // answer 0 on this call (0-based)
    int cookie = 0;
    int nonZeroSecondArgument = 0;
};
ProgressLog *gProgress = nullptr;

int CAM_CALL recordProgress(int cookie, int zero, int percent) {
    gProgress->cookie = cookie;
    gProgress->nonZeroSecondArgument += zero != 0;
    gProgress->percents.push_back(percent);
    return static_cast<int>(gProgress->percents.size()) - 1 == gProgress->stopAtCall ? 0 : 1;
}

class CamTransferTest : public CameraTest {
protected:
    ProgressLog progress;
    void SetUp() override {
        gProgress = &progress;
        core.Cam_setup_callback(recordProgress, 0x5EED);
    }
    void TearDown() override { gProgress = nullptr; }

    std::vector<std::uint32_t> requestedOffsets() const {
        std::vector<std::uint32_t> offsets;
        for (const Bytes &sent : camera.commandsSent())
            if (sent[0] == 0x17)
                offsets.push_back(camLoad32(sent.data() + 8));
        return offsets;
    }
};

TEST_F(CamTransferTest, PictureMovesInPiecesWithProgress) {
    addPicture(2, 5, 5000);
    openSession();
    EXPECT_EQ(CAM_OK, core.Cam_get_picture_file(kFile, 1));
    EXPECT_EQ(camera.pictures()[0].data, files.files[kFile]);
    EXPECT_EQ((std::vector<int>{0, 40, 81, 100}), progress.percents);
    EXPECT_EQ(0x5EED, progress.cookie);
    EXPECT_EQ(0, progress.nonZeroSecondArgument);
    // The short last piece is asked for four times and written once.
    EXPECT_EQ((std::vector<std::uint32_t>{0, 2048, 4096, 4096, 4096, 4096}), requestedOffsets());
    EXPECT_EQ(3, files.appends);
    const Bytes first = camera.commandsSent()[camera.commandsSent().size() - 6];
    EXPECT_EQ((Bytes{0x17, 0, 8, 0, 2, 0, 5, 0, 0, 0, 0, 0}), first);
}

TEST_F(CamTransferTest, EmptyPictureReportsDoneAndWritesNothing) {
    addPicture(1, 1, 0);
    openSession();
    EXPECT_EQ(CAM_OK, core.Cam_get_picture_file(kFile, 1));
    EXPECT_EQ(std::vector<int>{100}, progress.percents);
    EXPECT_TRUE(requestedOffsets().empty());
    EXPECT_EQ(0, files.appends);
}

TEST_F(CamTransferTest, CallbackStoppingAtOnceRequestsNothing) {
    addPicture(1, 1, 5000);
    openSession();
    progress.stopAtCall = 0;
    EXPECT_EQ(CAM_ERR_CANCELLED, core.Cam_get_picture_file(kFile, 1));
    EXPECT_EQ(CAM_ERR_CANCELLED, core.Cam_error());
    EXPECT_TRUE(requestedOffsets().empty());
    EXPECT_EQ(0, files.appends);
    EXPECT_EQ(Open, core.sessionState());
}

TEST_F(CamTransferTest, CallbackStoppingLaterKeepsWhatWasWritten) {
    addPicture(1, 1, 5000);
    openSession();
    progress.stopAtCall = 2;
    EXPECT_EQ(CAM_ERR_CANCELLED, core.Cam_get_picture_file(kFile, 1));
    EXPECT_EQ(Bytes(camera.pictures()[0].data.begin(), camera.pictures()[0].data.begin() + 4096),
              files.files[kFile]);
}

TEST_F(CamTransferTest, StoppingAtTheFinalReportStillCancels) {
    addPicture(1, 1, 100);
    openSession();
    progress.stopAtCall = 1;
    EXPECT_EQ(CAM_ERR_CANCELLED, core.Cam_get_picture_file(kFile, 1));
    EXPECT_EQ(100u, files.files[kFile].size());
}

TEST_F(CamTransferTest, WorksWithoutACallback) {
    addPicture(1, 1, 3000);
    openSession();
    core.Cam_setup_callback(nullptr, 0);
    EXPECT_EQ(CAM_OK, core.Cam_get_picture_file(kFile, 1));
    EXPECT_EQ(camera.pictures()[0].data, files.files[kFile]);
}

TEST_F(CamTransferTest, FailedPieceReturnsTheExchangeCode) {
    addPicture(1, 1, 5000);
    openSession();
    core.Cam_get_picture_count();
    camera.clearRecord();
    camera.answerStatus(0x17, 140, SimulatorPortLibrary::kForever);
    EXPECT_EQ(CAM_ERR_CAMERA, core.Cam_get_picture_file(kFile, 1));
    EXPECT_EQ(CAM_ERR_CAMERA, core.Cam_error());
    EXPECT_EQ(0, files.appends);
}

// A host file that refuses a write ends the transfer at once with the write
// code: no further piece is fetched, and the session stays usable.
TEST_F(CamTransferTest, FailedWriteEndsTheTransferWithTheWriteCode) {
    const struct {
        bool thumbnail;
        int failAfter;
        size_t piecesAsked;  // picture-data or thumbnail requests sent
    } cases[] = {{false, 0, 1}, {false, 1, 2}, {true, 0, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "thumbnail " << c.thumbnail << " after " << c.failAfter);
        camera.editPictures([](std::vector<camsim::StoredPicture> &pictures) { pictures.clear(); });
        addPicture(1, 1, 5000);
        openSession();
        core.Cam_get_picture_count();
        camera.clearRecord();
        files = RecordingFileSink{};
        files.failAfter = c.failAfter;
        const int code = c.thumbnail ? core.Cam_get_thumbnail_file(kFile, 1)
                                     : core.Cam_get_picture_file(kFile, 1);
        EXPECT_EQ(CAM_ERR_WRITE, code);
        EXPECT_EQ(CAM_ERR_WRITE, core.Cam_error());
        size_t asked = 0;
        for (const Bytes &sent : camera.commandsSent())
            asked += sent[0] == (c.thumbnail ? 0x16 : 0x17);
        EXPECT_EQ(c.piecesAsked, asked);
        EXPECT_EQ(static_cast<size_t>(c.failAfter) * CAM_PACKET_SIZE, files.files[kFile].size());
        // Still open: the next transfer needs no new session.
        files.failAfter = -1;
        camera.clearRecord();
        EXPECT_EQ(CAM_OK, core.Cam_get_picture_file(kFile + 1, 1));
        EXPECT_NE(0x10, camera.commandsSent().front()[0]);
        core.Cam_session_enabled(0);
    }
}

TEST_F(CamTransferTest, BusyCameraIsGivenOneMillisecondPerThousandBytes) {
    addPicture(1, 1, 2048 * 3);
    openSession();
    core.Cam_get_picture_count();
    camera.clearRecord();
    camera.answerStatus(0x17, CAM_STATUS_BUSY, 1, 2048);
    EXPECT_EQ(CAM_OK, core.Cam_get_picture_file(kFile, 1));
    EXPECT_EQ((std::vector<int>{10, 6, 10, 10}), camera.pauses());
}

TEST_F(CamTransferTest, ResyncDuringATransferRereadsTheTableBeforeTheResend) {
    addPicture(1, 1, 3000);
    openSession();
    ASSERT_EQ(1, core.Cam_get_picture_count());
    addPicture(1, 2, 10);  // the camera changed behind our back
    camera.clearRecord();
    camera.answerStatus(0x17, CAM_STATUS_RESYNC, 1);
    EXPECT_EQ(CAM_OK, core.Cam_get_picture_file(kFile, 1));
    const auto sent = camera.commandsSent();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(0x17, sent[0][0]);
    EXPECT_EQ(0x14, sent[1][0]);
    EXPECT_EQ(sent[0], sent[sent.size() - 5]) << "the same request again after the read";
    EXPECT_EQ(2, core.pictureCount());
    EXPECT_EQ(camera.pictures()[0].data, files.files[kFile]);
}

TEST_F(CamTransferTest, EmptyAnswersToAPieceEndTheTransfer) {
    addPicture(1, 1, 3000);
    openSession();
    core.Cam_get_picture_count();
    camera.editPictures([](std::vector<camsim::StoredPicture> &pictures) { pictures[0].data.clear(); });  // announced 3000 bytes, has none to give
    progress.stopAtCall = 50;         // a loop would end here with 19
    EXPECT_EQ(CAM_ERR_TIMEOUT, core.Cam_get_picture_file(kFile, 1));
    EXPECT_EQ(1u, progress.percents.size());
}

TEST_F(CamTransferTest, PictureNumbersOutsideTheTableAreRefused) {
    addPicture(1, 1, 3000);
    openSession();
    for (int n : {0, 2, -5, 1001}) {
        EXPECT_EQ(CAM_ERR_PARAM, core.Cam_get_picture_file(kFile, n)) << n;
        EXPECT_EQ(CAM_ERR_PARAM, core.Cam_get_thumbnail_file(kFile, n)) << n;
    }
    EXPECT_TRUE(requestedOffsets().empty());
    EXPECT_EQ(0, files.appends);
}

TEST_F(CamTransferTest, SessionFailureWritesNothing) {
    addPicture(1, 1, 3000);
    camera.cameraPort = 0;
    ASSERT_EQ(3, core.Cam_set_port(3));
    EXPECT_EQ(CAM_ERR_OPEN, core.Cam_get_picture_file(kFile, 1));
    EXPECT_EQ(CAM_ERR_OPEN, core.Cam_get_thumbnail_file(kFile, 1));
    EXPECT_EQ(0, files.appends);
    EXPECT_TRUE(progress.percents.empty());
}

TEST(CamTransferProgressTest, PercentagesOfLargePicturesDoNotOverflow) {
    EXPECT_EQ(40, transferPercent(2048, 5000));
    EXPECT_EQ(81, transferPercent(4096, 5000));
    EXPECT_EQ(50, transferPercent(25000000, 50000000));
    EXPECT_EQ(99, transferPercent(0x7FFFF800, 0x7FFFFFFF));
}

// --- thumbnails ---------------------------------------------------------------------

Bytes aviThumbnail(int junkSize, const char *thirdTag, int jpegOffsetInJunk) {
    Bytes avi(CAM_THUMBNAIL_SIZE, 0);
    std::memcpy(avi.data(), "RIFF", 4);
    std::memcpy(avi.data() + 8, "AVI ", 4);
    int position = 12;
    for (int size : {100, 60}) {
        std::memcpy(avi.data() + position, "LIST", 4);
        camStore32(avi.data() + position + 4, static_cast<std::uint32_t>(size));
        position += size + 8;
    }
    std::memcpy(avi.data() + position, thirdTag, 4);
    camStore32(avi.data() + position + 4, static_cast<std::uint32_t>(junkSize));
    const int jpeg = position + 8 + jpegOffsetInJunk;
    avi[static_cast<size_t>(jpeg)] = 0xFF;
    avi[static_cast<size_t>(jpeg) + 1] = 0xD8;
    for (int i = jpeg + 2; i < CAM_THUMBNAIL_SIZE; ++i)
        avi[static_cast<size_t>(i)] = static_cast<std::uint8_t>(i);
    return avi;
}

TEST_F(CamTransferTest, PlainThumbnailIsWrittenAsAFullBuffer) {
    addPicture(3, 8, 10);
    camera.editPictures([&](std::vector<camsim::StoredPicture> &pictures) { pictures[0].thumbnail = patternBytes(5000, 9); });
    openSession();
    EXPECT_EQ(CAM_OK, core.Cam_get_thumbnail_file(kFile, 1));
    const Bytes &written = files.files[kFile];
    ASSERT_EQ(static_cast<size_t>(CAM_THUMBNAIL_SIZE), written.size());
    EXPECT_EQ(camera.pictures()[0].thumbnail, Bytes(written.begin(), written.begin() + 5000));
    EXPECT_EQ(Bytes(CAM_THUMBNAIL_SIZE - 5000, 0), Bytes(written.begin() + 5000, written.end()));
    EXPECT_EQ((Bytes{0x16, 0, 8, 0, 3, 0, 8, 0, 0, 0, 0, 0}), camera.commandsSent().back());
    EXPECT_EQ(CAM_THUMBNAIL_SIZE, core.Cam_get_thumbnail_size(123));
}

TEST_F(CamTransferTest, AviThumbnailYieldsItsStillImage) {
    addPicture(1, 1, 10);
    camera.editPictures([&](std::vector<camsim::StoredPicture> &pictures) { pictures[0].thumbnail = aviThumbnail(3000, "JUNK", 5); });
    openSession();
    EXPECT_EQ(CAM_OK, core.Cam_get_thumbnail_file(kFile, 1));
    const int start = 12 + 108 + 68 + 8 + 5;
    const Bytes &avi = camera.pictures()[0].thumbnail;
    EXPECT_EQ(Bytes(avi.begin() + start, avi.begin() + start + 3000), files.files[kFile]);
}

TEST_F(CamTransferTest, AviWithoutJunkChunkGives255AndWritesNothing) {
    addPicture(1, 1, 10);
    camera.editPictures([&](std::vector<camsim::StoredPicture> &pictures) { pictures[0].thumbnail = aviThumbnail(3000, "movi", 5); });
    openSession();
    EXPECT_EQ(CAM_ERR_GENERAL, core.Cam_get_thumbnail_file(kFile, 1));
    EXPECT_EQ(CAM_OK, core.Cam_error()) << "255 is not stored";
    EXPECT_EQ(0, files.appends);
}

TEST_F(CamTransferTest, AviStillNeverReachesPastTheBuffer) {
    addPicture(1, 1, 10);
    camera.editPictures([&](std::vector<camsim::StoredPicture> &pictures) { pictures[0].thumbnail = aviThumbnail(20000, "JUNK", 0); });
    openSession();
    EXPECT_EQ(CAM_OK, core.Cam_get_thumbnail_file(kFile, 1));
    EXPECT_EQ(static_cast<size_t>(CAM_THUMBNAIL_SIZE - (12 + 108 + 68 + 8)),
              files.files[kFile].size());
}

TEST_F(CamTransferTest, FailedThumbnailReadReturnsItsCode) {
    addPicture(1, 1, 10);
    openSession();
    camera.answerStatus(0x16, 141, 1);
    EXPECT_EQ(CAM_ERR_CAMERA, core.Cam_get_thumbnail_file(kFile, 1));
    EXPECT_EQ(0, files.appends);
}

}  // namespace
}  // namespace peltrix_test
