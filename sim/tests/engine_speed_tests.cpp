// Speed switching, garbling while the two sides disagree, and output pacing.
#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "speed_codes.h"

namespace camsim_test {
namespace {

using namespace camsim;


const Bytes kReadyAnswer = {0x10, 0x00, 0x00, 0x00};

TEST(EngineSpeed, RestsAt19200) {
    EngineDriver camera;
    EXPECT_EQ(camera.engine.lineSpeed(), 19200u);
}

TEST(EngineSpeed, AckGoesOutAtTheOldSpeedAndLaterAnswersAtTheNew) {
    const struct {
        uint8_t code;
        uint32_t speed;
    } table[] = {{1, 9600},   {2, 19200},  {3, 38400},  {4, 57600},  {5, 115200},
                 {6, 230400}, {16, 48000}, {17, 64000}, {18, 96000}, {0, 19200},
                 {7, 19200},  {15, 19200}, {200, 19200}};
    for (const auto &row : table) {
        EngineDriver camera;
        camera.send(speedCommand(4));  // start away from the resting speed
        camera.send(speedCommand(row.code));
        ASSERT_EQ(camera.lastSegments.size(), 1u);
        EXPECT_EQ(camera.lastSegments[0].lineSpeed, 57600u) << "ack of code " << int(row.code);
        EXPECT_EQ(camera.lastSegments[0].bytes, (Bytes{0x31, 0x05, 0, 0}));
        EXPECT_EQ(camera.engine.lineSpeed(), row.speed) << "code " << int(row.code);
        EXPECT_EQ(camera.send(readyCommand()), kReadyAnswer);
        EXPECT_EQ(camera.lastSegments[0].lineSpeed, row.speed);
    }
}

TEST(EngineSpeed, HostFollowingTheSwitchGetsCleanAnswers) {
    LineRig rig;
    EXPECT_EQ(rig.exchange(speedCommand(3)), (Bytes{0x31, 0x05, 0, 0}));
    rig.host.speed = 38400;
    EXPECT_EQ(rig.exchange(readyCommand()), kReadyAnswer);
    EXPECT_EQ(rig.line.statistics().bytesGarbledIn, 0u);
    EXPECT_EQ(rig.line.statistics().bytesGarbledOut, 0u);
    // Speed code 2 at close brings the camera back to rest.
    EXPECT_EQ(rig.exchange(speedCommand(2)), (Bytes{0x31, 0x05, 0, 0}));
    rig.host.speed = 19200;
    EXPECT_EQ(rig.exchange(readyCommand()), kReadyAnswer);
}

TEST(EngineSpeed, HostLaggingBehindTheSwitchIsHeardAsJunk) {
    LineRig rig;
    rig.exchange(speedCommand(5));
    // The host still sends at 19200: the camera hears junk and gives no clean answer.
    EXPECT_NE(rig.exchange(readyCommand()), kReadyAnswer);
    EXPECT_GT(rig.line.statistics().bytesGarbledIn, 0u);
    rig.host.speed = 115200;
    EXPECT_EQ(rig.exchange(readyCommand()), kReadyAnswer);
}

TEST(EngineSpeed, OutputIsGarbledWhenHostChangesSpeedBeforeTheAnswer) {
    // A host that reads at 9600 while the camera answers at 19200.
    struct SwitchingHost : FakeHost {
        using FakeHost::FakeHost;
        uint32_t hostSpeed() override { return calls++ == 0 ? 19200 : 9600; }
        int calls = 0;
    };
    FakeClock clock;
    SwitchingHost host(clock);
    CameraEngine engine(CameraProfile{}, smallStore());
    CameraLine line(engine, host, clock);
    const Bytes probe = readyCommand();
    line.onHostBytes(probe.data(), probe.size());
    ASSERT_EQ(host.received.size(), 4u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_NE(host.received[i], kReadyAnswer[i]) << "byte " << i;
    EXPECT_EQ(line.statistics().bytesGarbledOut, 4u);
}

TEST(EngineSpeed, GarbledCommandsGetNoCleanAnswerAndTheCameraRecovers) {
    LineRig rig;
    rig.host.speed = 9600;  // host opened the port at the wrong speed
    for (int i = 0; i < 4; ++i)
        EXPECT_NE(rig.exchange(readyCommand()), kReadyAnswer);
    rig.host.speed = 19200;
    EXPECT_EQ(rig.exchange(readyCommand()), kReadyAnswer);
}

TEST(EngineSpeed, GarblingIsDeterministic) {
    LineRig first, second;
    first.host.speed = second.host.speed = 38400;
    const Bytes cmd = pictureDataCommand(100, 1, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(first.exchange(cmd), second.exchange(cmd));
}

// A whole session the way the host runs it: open at 19200, switch, transfer,
// close with speed code 2 twice (the second still at the session's speed).
TEST(EngineSpeed, HostSessionOpenTransferCloseAndReopen) {
    LineRig rig;
    EXPECT_EQ(rig.exchange(readyCommand()), kReadyAnswer);
    EXPECT_EQ(rig.exchange(commandBytes(CMD_SET_PACKET_SIZE, 5, {0, 8, 0, 0})),
              (Bytes{0x30, 5, 0, 0}));
    EXPECT_EQ(rig.exchange(speedCommand(18)), (Bytes{0x31, 5, 0, 0}));
    rig.host.speed = 96000;
    const Bytes piece = rig.exchange(pictureDataCommand(100, 1, 4096));
    const Bytes &file = rig.engine.pictures().find(100, 1)->data;
    ASSERT_EQ(piece.size(), 4u + 904u);
    EXPECT_EQ(Bytes(piece.begin() + 4, piece.end()), Bytes(file.begin() + 4096, file.end()));

    EXPECT_EQ(rig.exchange(speedCommand(2)), (Bytes{0x31, 5, 0, 0}));
    EXPECT_EQ(rig.engine.lineSpeed(), 19200u);
    // The host's side stays at 96000 for the second speed code 2: no clean answer.
    for (int retry = 0; retry < 4; ++retry)
        EXPECT_NE(rig.exchange(speedCommand(2)), (Bytes{0x31, 5, 0, 0}));
    EXPECT_EQ(rig.engine.lineSpeed(), 19200u);

    rig.host.speed = 19200;  // the port is opened again
    EXPECT_EQ(rig.exchange(readyCommand()), kReadyAnswer);
}

TEST(EngineSpeed, OutputIsPacedAtTenBitsPerByte) {
    for (uint8_t code : {uint8_t(1), uint8_t(2), uint8_t(5), uint8_t(18)}) {
        LineRig rig;
        rig.exchange(speedCommand(code));
        const uint32_t speed = lineSpeedForCode(code);
        rig.host.speed = speed;
        rig.clock.advance(1000000);
        const Micros start = rig.clock.now();
        rig.host.writeTimes.clear();
        const Bytes piece = rig.exchange(pictureDataCommand(100, 1, 0));
        ASSERT_EQ(piece.size(), 2052u);
        const Micros begun = start + 200000;  // the rig's pause before sending
        const Micros expected = transmissionMicros(2052, speed);
        EXPECT_EQ(rig.host.writeTimes.back() - begun, expected) << "speed " << speed;
        // Bytes trickle out rather than arriving in one burst.
        EXPECT_GE(rig.host.writeTimes.size(), 2052 / CameraLine::kPacingSlice);
        for (size_t i = 1; i < rig.host.writeTimes.size(); ++i)
            EXPECT_GE(rig.host.writeTimes[i], rig.host.writeTimes[i - 1]);
        // The header is handed over once its own 4 bytes have crossed the
        // line, not after the payload bytes that follow it.
        EXPECT_EQ(rig.host.writeTimes.front() - begun, transmissionMicros(4, speed))
            << "speed " << speed;
    }
}

}  // namespace
}  // namespace camsim_test
