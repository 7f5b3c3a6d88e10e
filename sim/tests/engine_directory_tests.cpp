// The camera's picture directory and transfers, read the way the host reads them.
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace camsim_test {
namespace {

using namespace camsim;


struct ListedPicture {
    uint16_t group;
    uint16_t number;
    uint32_t size;
};

// Group list -> each group's picture list -> each picture's information record.
std::vector<ListedPicture> readDirectory(EngineDriver &camera) {
    std::vector<ListedPicture> out;
    const auto groups = camera.ask(commandBytes(CMD_LIST_GROUPS, 0));
    EXPECT_EQ(groups.status, 0);
    EXPECT_EQ(groups.payload.size() % 4, 0u);
    for (size_t g = 0; g + 4 <= groups.payload.size(); g += 4) {
        const uint16_t group = readLe16(&groups.payload[g]);
        const auto entries = camera.ask(groupEntryCommand(group, 0));
        EXPECT_EQ(entries.status, 0);
        EXPECT_EQ(entries.payload.size() % 4, 0u);
        for (size_t e = 0; e + 4 <= entries.payload.size(); e += 4) {
            const uint16_t number = readLe16(&entries.payload[e]);
            const auto info = camera.ask(groupEntryCommand(group, number));
            EXPECT_EQ(info.status, 0);
            EXPECT_GE(info.payload.size(), 20u);
            if (info.payload.size() < 20)
                continue;
            out.push_back({group, number, readLe32(&info.payload[16])});
        }
    }
    return out;
}

// Pieces of 2048 at increasing offsets until the size is reached.
Bytes download(EngineDriver &camera, const ListedPicture &p) {
    Bytes data;
    for (uint32_t offset = 0; offset < p.size;) {
        const auto piece = camera.ask(pictureDataCommand(p.group, p.number, offset));
        EXPECT_EQ(piece.status, 0);
        EXPECT_EQ(piece.announced, piece.payload.size());
        EXPECT_LE(piece.payload.size(), 2048u);
        if (piece.payload.empty())
            break;
        EXPECT_TRUE(piece.payload.size() == 2048 || offset + piece.payload.size() == p.size)
            << "short piece in the middle at offset " << offset;
        data.insert(data.end(), piece.payload.begin(), piece.payload.end());
        offset += static_cast<uint32_t>(piece.payload.size());
    }
    return data;
}

TEST(EngineDirectory, GroupListRecordsCarryGroupNumberAndCount) {
    EngineDriver camera;
    const auto groups = camera.ask(commandBytes(CMD_LIST_GROUPS, 0));
    EXPECT_EQ(groups.payload, (Bytes{100, 0, 3, 0, 101, 0, 2, 0}));
}

TEST(EngineDirectory, GroupEntryZeroListsPictureNumbers) {
    EngineDriver camera;
    EXPECT_EQ(camera.ask(groupEntryCommand(100, 0)).payload,
              (Bytes{1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0}));
    EXPECT_EQ(camera.ask(groupEntryCommand(101, 0)).payload,
              (Bytes{1, 0, 0, 0, 2, 0, 0, 0}));
}

TEST(EngineDirectory, InformationRecordHoldsTheSizeAtBytesSixteenToNineteen) {
    EngineDriver camera;
    const auto info = camera.ask(groupEntryCommand(100, 1));
    ASSERT_GE(info.payload.size(), 20u);
    EXPECT_EQ(readLe32(&info.payload[16]), 5000u);
    EXPECT_EQ(readLe16(&info.payload[0]), 100);
    EXPECT_EQ(readLe16(&info.payload[2]), 1);
}

TEST(EngineDirectory, SmallSetReassemblesFromPiecesExactly) {
    EngineDriver camera;
    const auto listed = readDirectory(camera);
    const auto &stored = camera.engine.pictures().all();
    ASSERT_EQ(listed.size(), stored.size());
    for (size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(listed[i].group, stored[i].group);
        EXPECT_EQ(listed[i].number, stored[i].number);
        EXPECT_EQ(listed[i].size, stored[i].data.size());
        EXPECT_EQ(download(camera, listed[i]), stored[i].data) << "picture " << i + 1;
    }
}

TEST(EngineDirectory, BuiltInSetReassemblesFromPiecesExactly) {
    EngineDriver camera(arrangeInGroups(builtInPictureFiles(), GroupLayout{}));
    const auto listed = readDirectory(camera);
    const auto &stored = camera.engine.pictures().all();
    ASSERT_EQ(listed.size(), stored.size());
    ASSERT_GT(camera.engine.pictures().groups().size(), 1u);
    for (size_t i = 0; i < listed.size(); ++i)
        EXPECT_EQ(download(camera, listed[i]), stored[i].data) << "picture " << i + 1;
}

TEST(EngineDirectory, PieceAtAnOffsetIsTheFileFromThere) {
    EngineDriver camera;
    const Bytes &file = camera.engine.pictures().find(100, 1)->data;  // 5000 bytes
    const auto middle = camera.ask(pictureDataCommand(100, 1, 1234));
    EXPECT_EQ(middle.payload, Bytes(file.begin() + 1234, file.begin() + 1234 + 2048));
    const auto last = camera.ask(pictureDataCommand(100, 1, 4096));
    EXPECT_EQ(last.payload, Bytes(file.begin() + 4096, file.end()));
    EXPECT_EQ(last.announced, 904);
}

TEST(EngineDirectory, RequestAtOrPastTheEndAnswersNothing) {
    EngineDriver camera;
    EXPECT_EQ(camera.send(pictureDataCommand(100, 1, 5000)), (Bytes{0x17, 0, 0, 0}));
    EXPECT_EQ(camera.send(pictureDataCommand(100, 1, 0xFFFFFFF0u)),
              (Bytes{0x17, 0, 0, 0}));
    EXPECT_EQ(camera.send(pictureDataCommand(101, 2, 0)),
              (Bytes{0x17, 0, 0, 0}));  // empty file
}

TEST(EngineDirectory, EraseRemovesThePictureAndKeepsTheOrder) {
    EngineDriver camera;
    EXPECT_EQ(camera.ask(eraseCommand(100, 2)).status, 5);
    EXPECT_EQ(camera.ask(groupEntryCommand(100, 0)).payload,
              (Bytes{1, 0, 0, 0, 3, 0, 0, 0}));
    EXPECT_EQ(camera.ask(groupEntryCommand(100, 2)).status,
              CAM_STATUS_NO_SUCH_PICTURE);
    // The host keeps its table in step itself: no directory-change notice.
    EXPECT_FALSE(camera.engine.resyncPending());
    EXPECT_EQ(camera.ask(readyCommand()).status, 0);
    EXPECT_EQ(camera.ask(commandBytes(CMD_LIST_GROUPS, 0)).payload,
              (Bytes{100, 0, 2, 0, 101, 0, 2, 0}));
}

TEST(EngineDirectory, ErasingTheLastPictureOfAGroupRemovesTheGroup) {
    EngineDriver camera;
    camera.ask(eraseCommand(101, 1));
    camera.ask(eraseCommand(101, 2));
    EXPECT_EQ(camera.ask(commandBytes(CMD_LIST_GROUPS, 0)).payload, (Bytes{100, 0, 3, 0}));
    EXPECT_EQ(camera.ask(groupEntryCommand(101, 0)).status,
              CAM_STATUS_NO_SUCH_PICTURE);
}

// A folder on the card without pictures is listed with none; a group that
// is not on the card at all is refused.
TEST(EngineDirectory, EmptyFolderIsListedWithNoPictures) {
    EngineDriver camera(PictureStore(smallStore().all(), {7}));
    EXPECT_EQ(camera.ask(commandBytes(CMD_LIST_GROUPS, 0)).payload,
              (Bytes{100, 0, 3, 0, 101, 0, 2, 0, 7, 0, 0, 0}));
    const auto entry = camera.ask(groupEntryCommand(7, 0));
    EXPECT_EQ(entry.status, 0);
    EXPECT_TRUE(entry.payload.empty());
    EXPECT_EQ(camera.ask(groupEntryCommand(8, 0)).status,
              CAM_STATUS_NO_SUCH_PICTURE);
    EXPECT_EQ(readDirectory(camera).size(), 5u);
}

// Pictures and settings changed between commands while the host is away: the
// next commands see them, and no change notice is pending.
TEST(EngineDirectory, PicturesAndSettingsSetBetweenCommandsAreServed) {
    EngineDriver camera;
    camera.engine.setPictures(PictureStore({camera.engine.pictures().all()[1]}));
    camera.engine.profile().version = "V9";
    EXPECT_FALSE(camera.engine.resyncPending());
    EXPECT_EQ(camera.ask(commandBytes(CMD_LIST_GROUPS, 0)).payload, (Bytes{100, 0, 1, 0}));
    EXPECT_EQ(camera.ask(commandBytes(CMD_VERSION, 0)).payload, (Bytes{'V', '9'}));
}

TEST(EngineDirectory, GroupZeroIsServedWhenTheLayoutStartsThere) {
    std::vector<PictureFile> files(3);
    for (size_t i = 0; i < files.size(); ++i) {
        files[i].name = "F" + std::to_string(i);
        files[i].data = patternBytes(100 + i, static_cast<uint8_t>(i));
        files[i].thumbnailStill = {0xFF, 0xD8, 0xFF, 0xD9};
    }
    EngineDriver camera(arrangeInGroups(files, GroupLayout{0, 2, ThumbnailMix::Plain}));
    EXPECT_EQ(camera.ask(commandBytes(CMD_LIST_GROUPS, 0)).payload,
              (Bytes{0, 0, 2, 0, 1, 0, 1, 0}));
    const auto listed = readDirectory(camera);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].group, 0);
    EXPECT_EQ(download(camera, listed[2]), files[2].data);
}

}  // namespace
}  // namespace camsim_test
