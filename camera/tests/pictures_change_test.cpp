// A camera whose pictures change during a call (status 137 and a re-read):
// the operation keeps the picture it began with, and the host learns that
// its numbers are stale.
#include "camera_fixture.h"
#include "protocol.h"

namespace peltrix {
namespace test {
namespace {

constexpr int kFile = 7;
constexpr int kPictureSize = 5000;  // three pieces
constexpr int kInUse = 2;           // the host's number of group 1, picture 2

enum class Operation { Picture, Thumbnail, Erase };
enum class Change { None, Before, InUse, After, InUseResized };

void applyChange(Change change, FakeCamera &camera) {
    auto drop = [&](int number) {
        camera.pictures.erase(std::find_if(
            camera.pictures.begin(), camera.pictures.end(),
            [&](const FakePicture &p) { return p.group == 1 && p.number == number; }));
    };
    switch (change) {
    case Change::None:
        break;
    case Change::Before:
        drop(1);
        break;
    case Change::InUse:
        drop(2);
        break;
    case Change::After:
        drop(3);
        break;
    case Change::InUseResized:
        camera.findPicture(1, 2)->data.resize(kPictureSize + 1);
        break;
    }
}

class CamPicturesChangeTest : public CameraTest {
protected:
    // Two groups of three pictures, listed by the host.
    void SetUp() override {
        for (int group : {1, 2})
            for (int number : {1, 2, 3}) {
                addPicture(group, number, kPictureSize);
                camera.pictures.back().thumbnail = patternBytes(3000, 10 * group + number);
            }
        originals = camera.pictures;
        openSession();
        ASSERT_EQ(6, core.Cam_get_picture_count());
        camera.clearRecord();
    }

    std::vector<FakePicture> originals;

    int run(Operation op) {
        switch (op) {
        case Operation::Picture:
            return core.Cam_get_picture_file(kFile, kInUse);
        case Operation::Thumbnail:
            return core.Cam_get_thumbnail_file(kFile, kInUse);
        case Operation::Erase:
            return core.Cam_erase_select(kInUse);
        }
        return -1;
    }

    // Every request about one picture names group 1, picture 2.
    void expectOnlyThePictureInUseAsked() const {
        for (const Bytes &sent : camera.commandsSent())
            if (sent[0] == CMD_PICTURE_DATA || sent[0] == CMD_THUMBNAIL || sent[0] == CMD_ERASE) {
                EXPECT_EQ((Bytes{1, 0, 2, 0}), Bytes(sent.begin() + 4, sent.begin() + 8));
            }
    }

    void expectTableAsOnTheCamera() const {
        ASSERT_EQ(static_cast<int>(camera.pictures.size()), core.pictureCount());
        for (size_t i = 0; i < camera.pictures.size(); ++i) {
            const CamPicture &entry = core.picture(static_cast<int>(i));
            EXPECT_EQ(camera.pictures[i].group, entry.group) << i;
            EXPECT_EQ(camera.pictures[i].number, entry.number) << i;
            EXPECT_EQ(static_cast<int>(camera.pictures[i].data.size()), entry.size) << i;
        }
    }
};

enum class Written { Nothing, FirstPiece, Whole, Thumbnail };

struct ChangeCase {
    Operation op;
    Change change;
    int result;
    Written written;
    bool stale;
    int erases;  // erase commands sent
};

const ChangeCase kChangeCases[] = {
    {Operation::Picture, Change::None, CAM_OK, Written::Whole, false, 0},
    {Operation::Picture, Change::Before, CAM_OK, Written::Whole, true, 0},
    {Operation::Picture, Change::InUse, CAM_ERR_PICTURES_CHANGED, Written::FirstPiece, true, 0},
    {Operation::Picture, Change::After, CAM_OK, Written::Whole, true, 0},
    {Operation::Picture, Change::InUseResized, CAM_ERR_PICTURES_CHANGED, Written::FirstPiece, true,
     0},
    {Operation::Thumbnail, Change::None, CAM_OK, Written::Thumbnail, false, 0},
    {Operation::Thumbnail, Change::Before, CAM_OK, Written::Thumbnail, true, 0},
    {Operation::Thumbnail, Change::InUse, CAM_ERR_PICTURES_CHANGED, Written::Nothing, true, 0},
    {Operation::Thumbnail, Change::After, CAM_OK, Written::Thumbnail, true, 0},
    {Operation::Erase, Change::None, CAM_OK, Written::Nothing, false, 2},
    {Operation::Erase, Change::Before, CAM_OK, Written::Nothing, true, 2},
    {Operation::Erase, Change::InUse, CAM_ERR_PICTURES_CHANGED, Written::Nothing, true, 1},
    {Operation::Erase, Change::After, CAM_OK, Written::Nothing, true, 2},
};

class CamPicturesChangeCaseTest : public CamPicturesChangeTest,
                                  public testing::WithParamInterface<ChangeCase> {
protected:
    Bytes expectedFile(Written written) const {
        const FakePicture &original = originals[1];
        switch (written) {
        case Written::Nothing:
            return {};
        case Written::FirstPiece:
            return Bytes(original.data.begin(), original.data.begin() + CAM_PACKET_SIZE);
        case Written::Whole:
            return original.data;
        case Written::Thumbnail: {
            Bytes padded = original.thumbnail;
            padded.resize(CAM_THUMBNAIL_SIZE, 0);
            return padded;
        }
        }
        return {};
    }
};

TEST_P(CamPicturesChangeCaseTest, OperationKeepsItsPictureAndStaleNumbersAreRefusedUntilListed) {
    const ChangeCase &c = GetParam();
    // A transfer meets the change after its first piece, the others at once.
    const Change change = c.change;
    camera.changeAfter(CMD_PICTURE_DATA, c.op == Operation::Picture ? 1 : 0,
                       [change](FakeCamera &cam) { applyChange(change, cam); });
    EXPECT_EQ(c.result, run(c.op));
    EXPECT_EQ(c.result, core.Cam_error());
    EXPECT_EQ(Open, core.sessionState());
    EXPECT_EQ(expectedFile(c.written), files.files[kFile]);
    EXPECT_EQ(c.erases, countSent(CMD_ERASE));
    const bool erased = c.op == Operation::Erase && c.result == CAM_OK;
    EXPECT_EQ(erased || c.change == Change::InUse, camera.findPicture(1, 2) == nullptr);
    expectOnlyThePictureInUseAsked();
    expectTableAsOnTheCamera();
    EXPECT_EQ(c.stale, core.numbersStale());

    // The next call that takes a number: refused without traffic while stale.
    camera.clearRecord();
    EXPECT_EQ(c.stale ? CAM_ERR_PICTURES_CHANGED : CAM_OK, core.Cam_erase_select(1));
    EXPECT_EQ(c.stale ? 0 : 1, countSent(CMD_ERASE));
    if (!c.stale)
        return;
    EXPECT_EQ(CAM_ERR_PICTURES_CHANGED, core.Cam_get_picture_file(kFile + 1, 1));
    EXPECT_EQ(CAM_ERR_PICTURES_CHANGED, core.Cam_get_thumbnail_file(kFile + 1, 1));
    EXPECT_EQ(CAM_ERR_PICTURES_CHANGED, core.Cam_erase_last());
    EXPECT_EQ(CAM_ERR_PICTURES_CHANGED, core.Cam_erase_all());
    EXPECT_TRUE(camera.commandsSent().empty());
    EXPECT_TRUE(files.files[kFile + 1].empty());
    // Listed again, the numbers are good.
    EXPECT_EQ(static_cast<int>(camera.pictures.size()), core.Cam_get_picture_count());
    EXPECT_EQ(CAM_OK, core.Cam_get_picture_file(kFile + 1, 1));
    EXPECT_EQ(camera.pictures[0].data, files.files[kFile + 1]);
}

std::string describe(const ChangeCase &c) {
    static const char *const operations[] = {"Picture", "Thumbnail", "Erase"};
    static const char *const changes[] = {"NoChange", "BeforeGoes", "ItGoes", "AfterGoes",
                                          "ItsSizeChanges"};
    return std::string(operations[static_cast<int>(c.op)]) + "_" +
           changes[static_cast<int>(c.change)];
}

void PrintTo(const ChangeCase &c, std::ostream *out) {
    *out << describe(c);
}

INSTANTIATE_TEST_SUITE_P(Table, CamPicturesChangeCaseTest, testing::ValuesIn(kChangeCases),
                         [](const auto &info) { return describe(info.param); });

// A re-sync request while a session opens cannot read the table at once; the
// read at the next use still finds the change.
TEST_F(CamPicturesChangeTest, ChangeNoticedWhileASessionOpensIsFoundAtTheNextRead) {
    ASSERT_EQ(CAM_OK, core.Cam_session_enabled(0));
    applyChange(Change::Before, camera);
    camera.answerStatus(CMD_SET_SPEED, CAM_STATUS_RESYNC, 1);
    camera.clearRecord();
    EXPECT_EQ(CAM_ERR_PICTURES_CHANGED, core.Cam_get_picture_file(kFile, kInUse));
    EXPECT_EQ(0, countSent(CMD_PICTURE_DATA));
    EXPECT_EQ(1, countSent(CMD_LIST_GROUPS));
    EXPECT_TRUE(files.files[kFile].empty());
}

}  // namespace
}  // namespace test
}  // namespace peltrix
