// What the camera answers to each command, byte for byte.
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace camsim_test {
namespace {

using namespace camsim;


TEST(EngineCommands, ReadyProbeEchoesCodeAndSubcodeWithNoPayload) {
    EngineDriver camera;
    EXPECT_EQ(camera.send(readyCommand()), (Bytes{0x10, 0x00, 0x00, 0x00}));
}

TEST(EngineCommands, MemoryStatusCarriesTheSignedValueInBytesSixAndSeven) {
    for (int16_t value : {int16_t(-1), int16_t(10000), int16_t(57)}) {
        CameraProfile profile;
        profile.memoryStatus = value;
        EngineDriver camera(smallStore(), profile);
        const auto r = camera.ask(commandBytes(CMD_MEMORY_STATUS, 0));
        EXPECT_EQ(r.code, 0x11);
        EXPECT_EQ(r.status, 0x00);
        ASSERT_EQ(r.announced, 8);
        ASSERT_EQ(r.payload.size(), 8u);
        EXPECT_EQ(static_cast<int16_t>(readLe16(&r.payload[6])), value);
    }
}

TEST(EngineCommands, MakerAndVersionAnswerTheProfileTextsWithoutTerminator) {
    CameraProfile profile;
    profile.maker = "Toshiba";
    profile.version = "V9.87b";
    EngineDriver camera(smallStore(), profile);
    const Bytes maker = camera.send(commandBytes(CMD_MAKER, 0));
    EXPECT_EQ(maker, (Bytes{0x20, 0x00, 7, 0, 'T', 'o', 's', 'h', 'i', 'b', 'a'}));
    const auto version = camera.ask(commandBytes(CMD_VERSION, 0));
    EXPECT_EQ(version.code, 0x25);
    EXPECT_EQ(std::string(version.payload.begin(), version.payload.end()), "V9.87b");
}

TEST(EngineCommands, EmptyMakerTextGivesAnEmptyPayload) {
    CameraProfile profile;
    profile.maker = "";
    EngineDriver camera(smallStore(), profile);
    EXPECT_EQ(camera.send(commandBytes(CMD_MAKER, 0)), (Bytes{0x20, 0x00, 0, 0}));
}

TEST(EngineCommands, SettingsCommandsAreAcknowledgedWithSubcodeFive) {
    EngineDriver camera;
    EXPECT_EQ(camera.send(commandBytes(CMD_SET_PACKET_SIZE, 5, {0x00, 0x08, 0x00, 0x00})),
              (Bytes{0x30, 0x05, 0, 0}));
    EXPECT_EQ(camera.send(speedCommand(2)), (Bytes{0x31, 0x05, 0, 0}));
    EXPECT_EQ(camera.send(eraseCommand(100, 2)), (Bytes{0x43, 0x05, 0, 0}));
}

TEST(EngineCommands, SmallerPacketSizeShortensPictureDataPieces) {
    EngineDriver camera;
    camera.send(commandBytes(CMD_SET_PACKET_SIZE, 5, {0x00, 0x04, 0x00, 0x00}));  // 1024
    const auto r = camera.ask(pictureDataCommand(100, 1, 0));
    EXPECT_EQ(r.announced, 1024);
}

TEST(EngineCommands, UnknownCommandIsRefused) {
    EngineDriver camera;
    EXPECT_EQ(camera.send(commandBytes(0x99, 0)), (Bytes{0x99, CAM_STATUS_UNKNOWN_COMMAND, 0, 0}));
    EXPECT_EQ(camera.send(commandBytes(0x12, 0)), (Bytes{0x12, CAM_STATUS_UNKNOWN_COMMAND, 0, 0}));
}

TEST(EngineCommands, WrongSubcodeIsRefused) {
    EngineDriver camera;
    EXPECT_EQ(camera.send(commandBytes(CMD_READY, 5)),
              (Bytes{0x10, CAM_STATUS_UNKNOWN_COMMAND, 0, 0}));
    EXPECT_EQ(camera.send(commandBytes(CMD_SET_SPEED, 0, {3, 0, 0, 0})),
              (Bytes{0x31, CAM_STATUS_UNKNOWN_COMMAND, 0, 0}));
    // A refused speed command leaves the speed alone.
    EXPECT_EQ(camera.engine.lineSpeed(), 19200u);
}

TEST(EngineCommands, WrongParameterCountIsRefused) {
    EngineDriver camera;
    EXPECT_EQ(camera.send(commandBytes(CMD_GROUP_ENTRY, 0, {100, 0, 1, 0, 0, 0, 0, 0})),
              (Bytes{0x15, CAM_STATUS_BAD_PARAMETER, 0, 0}));
    EXPECT_EQ(camera.send(commandBytes(CMD_MAKER, 0, {0, 0, 0, 0})),
              (Bytes{0x20, CAM_STATUS_BAD_PARAMETER, 0, 0}));
}

TEST(EngineCommands, ThumbnailAnswersTheStoredThumbnail) {
    EngineDriver camera;
    const auto r = camera.ask(thumbnailCommand(101, 1));
    const StoredPicture *p = camera.engine.pictures().find(101, 1);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(r.code, 0x16);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.payload, p->thumbnail);
}

TEST(EngineCommands, RequestsForMissingPicturesAreRefused) {
    EngineDriver camera;
    EXPECT_EQ(camera.ask(groupEntryCommand(100, 9)).status,
              CAM_STATUS_NO_SUCH_PICTURE);
    EXPECT_EQ(camera.ask(groupEntryCommand(555, 0)).status,
              CAM_STATUS_NO_SUCH_PICTURE);
    EXPECT_EQ(camera.ask(thumbnailCommand(100, 9)).status,
              CAM_STATUS_NO_SUCH_PICTURE);
    EXPECT_EQ(camera.ask(pictureDataCommand(102, 1, 0)).status,
              CAM_STATUS_NO_SUCH_PICTURE);
    EXPECT_EQ(camera.ask(eraseCommand(100, 9)).status, CAM_STATUS_NO_SUCH_PICTURE);
}

}  // namespace
}  // namespace camsim_test
