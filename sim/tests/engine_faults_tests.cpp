// Each fault the camera can be told to commit, and the picture-set change
// notice (status 137).
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace camsim_test {
namespace {

using namespace camsim;


Fault fault(FaultKind kind, unsigned ordinal, std::optional<uint8_t> command = std::nullopt,
            unsigned times = 1) {
    Fault f;
    f.kind = kind;
    f.ordinal = ordinal;
    f.command = command;
    f.times = times;
    return f;
}

EngineDriver withFaults(std::vector<Fault> faults) {
    return EngineDriver(smallStore(), CameraProfile{}, FaultPlan(std::move(faults)));
}

TEST(EngineFaults, DropResponseSilencesOnlyTheNthCommand) {
    auto camera = withFaults({fault(FaultKind::DropResponse, 2)});
    EXPECT_EQ(camera.send(readyCommand()).size(), 4u);
    EXPECT_TRUE(camera.send(readyCommand()).empty());
    EXPECT_EQ(camera.send(readyCommand()).size(), 4u);
}

TEST(EngineFaults, DropResponseCanHitSeveralCommandsInARow) {
    auto camera = withFaults({fault(FaultKind::DropResponse, 1, CMD_READY, 4)});
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(camera.send(readyCommand()).empty()) << "send " << i + 1;
    EXPECT_EQ(camera.send(readyCommand()).size(), 4u);
}

TEST(EngineFaults, DroppedEraseIsNotCarriedOut) {
    auto camera = withFaults({fault(FaultKind::DropResponse, 1, CMD_ERASE)});
    EXPECT_TRUE(camera.send(eraseCommand(100, 1)).empty());
    EXPECT_NE(camera.engine.pictures().find(100, 1), nullptr);
}

TEST(EngineFaults, FaultCountsOnlyCommandsOfItsCode) {
    auto camera = withFaults({fault(FaultKind::DropResponse, 2, CMD_PICTURE_DATA)});
    camera.send(readyCommand());
    EXPECT_FALSE(camera.send(pictureDataCommand(100, 1, 0)).empty());
    camera.send(readyCommand());
    EXPECT_TRUE(camera.send(pictureDataCommand(100, 1, 2048)).empty());
    EXPECT_FALSE(camera.send(pictureDataCommand(100, 1, 2048)).empty());
}

TEST(EngineFaults, StallSendsHeaderAndFirstBytesOnly) {
    Fault stall = fault(FaultKind::StallPayload, 1, CMD_PICTURE_DATA);
    stall.stallAfter = 100;
    auto camera = withFaults({stall});
    const Bytes out = camera.send(pictureDataCommand(100, 1, 0));
    ASSERT_EQ(out.size(), 4u + 100u);
    EXPECT_EQ(readLe16(&out[2]), 2048);  // the header still announces the full piece
    const Bytes &file = camera.engine.pictures().find(100, 1)->data;
    EXPECT_EQ(Bytes(out.begin() + 4, out.end()), Bytes(file.begin(), file.begin() + 100));
    // The resend is answered in full.
    EXPECT_EQ(camera.send(pictureDataCommand(100, 1, 0)).size(), 2052u);
}

TEST(EngineFaults, BusyCarriesTheNormalPayloadUnlessOneIsGiven) {
    Fault given = fault(FaultKind::Busy, 2, CMD_MAKER);
    given.payload = Bytes{'x', 'y'};
    auto camera = withFaults({fault(FaultKind::Busy, 1, CMD_MAKER), given});
    const auto first = camera.ask(commandBytes(CMD_MAKER, 0));
    EXPECT_EQ(first.code, CMD_MAKER);
    EXPECT_EQ(first.status, CAM_STATUS_BUSY);
    EXPECT_EQ(std::string(first.payload.begin(), first.payload.end()), "Toshiba");
    const auto second = camera.ask(commandBytes(CMD_MAKER, 0));
    EXPECT_EQ(second.status, CAM_STATUS_BUSY);
    EXPECT_EQ(second.payload, (Bytes{'x', 'y'}));
    EXPECT_EQ(camera.ask(commandBytes(CMD_MAKER, 0)).status, 0);
}

// The stalled rest follows after the pause when one is given: the host meets
// it as stale bytes on the line, once it has given up on the answer.
TEST(EngineFaults, StalledRestFollowsAfterThePauseWhenOneIsGiven) {
    const struct {
        Micros resumeAfter;
        size_t segments;
    } cases[] = {{0, 1}, {250000, 2}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.resumeAfter);
        Fault stall = fault(FaultKind::StallPayload, 1, CMD_PICTURE_DATA);
        stall.stallAfter = 100;
        stall.resumeAfter = c.resumeAfter;
        auto camera = withFaults({stall});
        const Bytes out = camera.send(pictureDataCommand(100, 1, 0));
        ASSERT_EQ(camera.lastSegments.size(), c.segments);
        EXPECT_EQ(camera.lastSegments[0].bytes.size(), 4u + 100u);
        EXPECT_EQ(camera.lastSegments[0].pauseBefore, 0u);
        const Bytes &file = camera.engine.pictures().find(100, 1)->data;
        if (c.segments == 2) {
            EXPECT_EQ(camera.lastSegments[1].pauseBefore, c.resumeAfter);
            ASSERT_EQ(out.size(), 4u + 2048u);
            EXPECT_EQ(Bytes(out.begin() + 4, out.end()), Bytes(file.begin(), file.begin() + 2048));
        }
    }
}

TEST(EngineFaults, StalledRestCrossesTheLineAfterThePause) {
    LineRig rig;
    Fault stall = fault(FaultKind::StallPayload, 1, CMD_PICTURE_DATA);
    stall.stallAfter = 10;
    stall.resumeAfter = 300000;
    rig.engine.faults().add(stall);
    rig.clock.advance(200000);
    const Micros sent = rig.clock.now();
    const Bytes command = pictureDataCommand(100, 1, 0);
    rig.line.onHostBytes(command.data(), command.size());
    EXPECT_EQ(rig.host.take().size(), 4u + 2048u);
    ASSERT_FALSE(rig.host.writeTimes.empty());
    EXPECT_LT(rig.host.writeTimes.front(), sent + 300000);
    EXPECT_GE(rig.host.writeTimes.back(), sent + 300000) << "the rest waits for the pause";
}

// Carried out as usual, and answered with the given payload (none: empty).
TEST(EngineFaults, ReplacedPayloadKeepsTheStatusAndTheEffect) {
    Fault replaced = fault(FaultKind::ReplacePayload, 1, CMD_ERASE);
    replaced.payload = Bytes{1, 2, 3};
    Fault emptied = fault(FaultKind::ReplacePayload, 2, CMD_MAKER);
    auto camera = withFaults({replaced, emptied});
    EXPECT_EQ(camera.send(eraseCommand(100, 1)), (Bytes{0x43, 5, 3, 0, 1, 2, 3}));
    EXPECT_EQ(camera.engine.pictures().find(100, 1), nullptr);
    EXPECT_EQ(camera.ask(commandBytes(CMD_MAKER, 0)).payload.size(), 7u);
    EXPECT_EQ(camera.send(commandBytes(CMD_MAKER, 0)), (Bytes{0x20, 0, 0, 0}));
    EXPECT_EQ(camera.ask(commandBytes(CMD_MAKER, 0)).payload.size(), 7u) << "only the second";
}

TEST(EngineFaults, RefuseAnswersTheGivenStatusAndDoesNothing) {
    Fault refuse = fault(FaultKind::Refuse, 1, CMD_ERASE);
    refuse.status = 0x8A;
    auto camera = withFaults({refuse});
    EXPECT_EQ(camera.send(eraseCommand(100, 1)), (Bytes{0x43, 0x8A, 0, 0}));
    EXPECT_NE(camera.engine.pictures().find(100, 1), nullptr);
}

TEST(EngineFaults, RefusedSpeedCommandKeepsTheSpeed) {
    Fault refuse = fault(FaultKind::Refuse, 1, CMD_SET_SPEED);
    refuse.status = 0xCA;
    auto camera = withFaults({refuse});
    EXPECT_EQ(camera.send(speedCommand(5)), (Bytes{0x31, 0xCA, 0, 0}));
    EXPECT_EQ(camera.engine.lineSpeed(), 19200u);
}

TEST(EngineFaults, WrongCodeChangesOnlyByteZero) {
    auto camera = withFaults({fault(FaultKind::WrongCode, 1, CMD_SET_PACKET_SIZE)});
    const Bytes out = camera.send(commandBytes(CMD_SET_PACKET_SIZE, 5, {0, 8, 0, 0}));
    ASSERT_EQ(out.size(), 4u);
    EXPECT_NE(out[0], CMD_SET_PACKET_SIZE);
    EXPECT_EQ(out[1], 0x05);
}

TEST(EngineFaults, PictureChangeMidTransferAnswersTheNextCommandWith137) {
    auto camera = withFaults({fault(FaultKind::ChangePictures, 2, CMD_PICTURE_DATA)});
    const size_t before = camera.engine.pictures().size();
    EXPECT_EQ(camera.ask(pictureDataCommand(100, 1, 0)).payload.size(), 2048u);
    EXPECT_EQ(camera.ask(pictureDataCommand(100, 1, 2048)).payload.size(), 2048u);
    EXPECT_EQ(camera.engine.pictures().size(), before - 1);
    EXPECT_NE(camera.engine.pictures().find(100, 1), nullptr)
        << "the picture in transfer must stay";

    EXPECT_EQ(camera.send(pictureDataCommand(100, 1, 4096)),
              (Bytes{0x17, CAM_STATUS_RESYNC, 0, 0}));
    // The notice is given once: the host's directory read and resend go through.
    EXPECT_EQ(camera.ask(commandBytes(CMD_LIST_GROUPS, 0)).status, 0);
    EXPECT_EQ(camera.ask(pictureDataCommand(100, 1, 4096)).payload.size(), 904u);
}

// Which picture goes, relative to the one asked for (places in the store:
// 100/1, 100/2, 100/3, 101/1, 101/2); without such a neighbour nothing goes,
// and the notice comes all the same.
TEST(EngineFaults, PictureChangeTakesTheChosenPicture) {
    const struct {
        Vanishing which;
        size_t asked;
        int gone;  // -1: none
    } cases[] = {{Vanishing::Last, 1, 4},   {Vanishing::Last, 4, 3},    {Vanishing::Before, 1, 0},
                 {Vanishing::Before, 0, -1}, {Vanishing::Current, 1, 1}, {Vanishing::After, 2, 3},
                 {Vanishing::After, 4, -1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.which) << " of " << c.asked);
        Fault change = fault(FaultKind::ChangePictures, 1, CMD_PICTURE_DATA);
        change.vanishes = c.which;
        auto camera = withFaults({change});
        std::vector<StoredPicture> expected = camera.engine.pictures().all();
        const StoredPicture asked = expected[c.asked];
        if (c.gone >= 0)
            expected.erase(expected.begin() + c.gone);
        camera.send(pictureDataCommand(asked.group, asked.number, 0));
        const auto &left = camera.engine.pictures().all();
        ASSERT_EQ(left.size(), expected.size());
        for (size_t i = 0; i < left.size(); ++i)
            EXPECT_EQ(left[i].name, expected[i].name) << i;
        EXPECT_EQ(camera.send(commandBytes(CMD_MAKER, 0)), (Bytes{0x20, CAM_STATUS_RESYNC, 0, 0}));
    }
}

TEST(EngineFaults, ReadyProbeIsAnsweredNormallyAndLeavesTheNoticePending) {
    EngineDriver camera;
    camera.engine.changePictures([](PictureStore &store) { store.erase(101, 2); });
    EXPECT_EQ(camera.send(readyCommand()), (Bytes{0x10, 0, 0, 0}));
    EXPECT_TRUE(camera.engine.resyncPending());
    EXPECT_EQ(camera.send(commandBytes(CMD_MAKER, 0)), (Bytes{0x20, CAM_STATUS_RESYNC, 0, 0}));
    EXPECT_FALSE(camera.engine.resyncPending());
    EXPECT_EQ(camera.ask(groupEntryCommand(101, 0)).payload, (Bytes{1, 0, 0, 0}));
}

TEST(EngineFaults, SpeedCommandAnsweredWith137DoesNotSwitch) {
    EngineDriver camera;
    camera.engine.changePictures([](PictureStore &) {});
    EXPECT_EQ(camera.send(speedCommand(5)), (Bytes{0x31, CAM_STATUS_RESYNC, 0, 0}));
    EXPECT_EQ(camera.engine.lineSpeed(), 19200u);
}

}  // namespace
}  // namespace camsim_test
