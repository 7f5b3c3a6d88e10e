// Choosing the port and speed, opening and closing sessions, re-opening.
#include "camera_fixture.h"
#include "speed_classes.h"

namespace peltrix_test {
namespace {

const Bytes kReady{0x10, 0x00, 0x00, 0x00};
const Bytes kPacketSize2048{0x30, 0x05, 0x04, 0x00, 0x00, 0x08, 0x00, 0x00};

Bytes speedCommand(int code) {
    return Bytes{0x31, 0x05, 0x04, 0x00, static_cast<std::uint8_t>(code), 0, 0, 0};
}

using CamSessionTest = CameraTest;

std::vector<int> portsOf(const std::vector<LineCall> &calls) {
    std::vector<int> ports;
    for (const LineCall &call : calls)
        ports.push_back(call.port);
    return ports;
}

// --- Cam_set_port ----------------------------------------------------------

TEST_F(CamSessionTest, SearchWithoutCameraReturnsMinusOneAndStores3) {
    camera.cameraPort = 0;
    camera.openablePorts = {2, 7};
    EXPECT_EQ(-1, core.Cam_set_port(0));
    EXPECT_EQ(CAM_ERR_NO_PORT, core.Cam_error());
    EXPECT_EQ(-1, core.port());
    EXPECT_EQ(Closed, core.sessionState());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}),
              portsOf(camera.callsOf(LineCall::Open)));
    EXPECT_EQ((std::vector<int>{2, 7}), portsOf(camera.callsOf(LineCall::Close)));
}

TEST_F(CamSessionTest, SearchProbesOpenPortsInOrderAndStopsAtTheCamera) {
    EXPECT_EQ(3, core.Cam_set_port(0));
    EXPECT_EQ(CAM_OK, core.Cam_error());
    EXPECT_EQ(3, core.port());
    EXPECT_EQ((std::vector<int>{1, 2, 3}), portsOf(camera.callsOf(LineCall::Open)));
    for (const LineCall &open : camera.callsOf(LineCall::Open))
        EXPECT_EQ(19200, open.value);
    EXPECT_EQ((std::vector<int>{1, 2, 3}), portsOf(camera.callsOf(LineCall::SetFlow)));
    std::vector<int> probed;
    for (const LineCall &write : camera.callsOf(LineCall::Write))
        if (write.bytes == kReady && (probed.empty() || probed.back() != write.port))
            probed.push_back(write.port);
    EXPECT_EQ((std::vector<int>{1, 2, 3}), probed);
    EXPECT_EQ((std::vector<int>{1, 2, 3}), portsOf(camera.callsOf(LineCall::Close)));
    EXPECT_EQ(Closed, core.sessionState());
}

TEST_F(CamSessionTest, GivenPortIsTakenWhenItOpensWithoutProbing) {
    camera.openablePorts = {5};
    EXPECT_EQ(5, core.Cam_set_port(5));
    EXPECT_EQ(5, core.port());
    EXPECT_EQ((std::vector<int>{5}), portsOf(camera.callsOf(LineCall::Open)));
    EXPECT_EQ((std::vector<int>{5}), portsOf(camera.callsOf(LineCall::Close)));
    // The closing speed command goes to the port chosen before, none here.
    for (const LineCall &write : camera.callsOf(LineCall::Write)) {
        EXPECT_EQ(-1, write.port);
        EXPECT_EQ(speedCommand(2), write.bytes);
    }
    EXPECT_EQ(-1, core.Cam_set_port(6));
    EXPECT_EQ(CAM_ERR_NO_PORT, core.Cam_error());
    EXPECT_EQ(-1, core.port());
}

TEST_F(CamSessionTest, PortOutOfRangeStores2) {
    for (int port : {10, -1, -2, 100}) {
        EXPECT_EQ(CAM_ERR_PARAM, core.Cam_set_port(port)) << port;
        EXPECT_EQ(CAM_ERR_PARAM, core.Cam_error());
    }
    EXPECT_TRUE(camera.calls.empty());
}

TEST_F(CamSessionTest, DuringASessionPortQueriesAnswerAndChangesBreakIt) {
    openSession();
    core.Cam_set_speed(7);  // stores 2, leaves the session as it is
    EXPECT_EQ(3, core.Cam_set_port(-1));
    EXPECT_EQ(CAM_ERR_PARAM, core.Cam_error()) << "the query stores nothing";
    EXPECT_TRUE(camera.calls.empty());

    EXPECT_EQ(CAM_ERR_GENERAL, core.Cam_set_port(2));
    EXPECT_EQ(Broken, core.sessionState());
    EXPECT_EQ(3, core.port());

    char text[32];
    EXPECT_EQ(CAM_OK, core.Cam_get_version(text));
    EXPECT_EQ(Open, core.sessionState());
    EXPECT_FALSE(camera.callsOf(LineCall::Close).empty()) << "the broken session was closed";
    EXPECT_EQ(1, countSent(0x10)) << "one probe of the new session";
}

// --- Cam_set_speed ----------------------------------------------------------------

TEST_F(CamSessionTest, SpeedClassesOfferedAndRefused) {
    for (int offered : {1, 2, 3, 4, 5, 6, 16, 17, 18}) {
        EXPECT_EQ(CAM_OK, core.Cam_set_speed(offered));
        EXPECT_EQ(offered, core.speedClass());
    }
    for (int refused : {0, 7, 15, 19, -1}) {
        core.Cam_set_speed(5);
        EXPECT_EQ(CAM_ERR_PARAM, core.Cam_set_speed(refused)) << refused;
        EXPECT_EQ(0, core.speedClass());
    }
    EXPECT_TRUE(camera.calls.empty());
    openSession(16);
    EXPECT_EQ(48000, camera.cameraSpeed());
    char text[32];
    EXPECT_EQ(CAM_OK, core.Cam_get_version(text)) << "both sides run at 48000";
}

// --- opening ------------------------------------------------------------------------

TEST_F(CamSessionTest, OpeningNegotiatesTheSpeedInOrder) {
    core.Cam_set_speed(5);
    ASSERT_EQ(3, core.Cam_set_port(3));
    camera.clearRecord();
    ASSERT_EQ(CAM_OK, core.Cam_session_enabled(1));
    EXPECT_EQ(Open, core.sessionState());
    EXPECT_EQ((std::vector<Bytes>{kReady, kPacketSize2048, speedCommand(5)}),
              camera.commandsSent());
    EXPECT_EQ((std::vector<int>{10, 10, 10, 500, 50}), camera.pauses());
    const auto open = camera.callsOf(LineCall::Open);
    ASSERT_EQ(1u, open.size());
    EXPECT_EQ(19200, open[0].value);
    const auto baud = camera.callsOf(LineCall::SetBaud);
    ASSERT_EQ(1u, baud.size());
    EXPECT_EQ(115200, baud[0].value);
    EXPECT_EQ(LineCall::Open, camera.calls[0].kind);
    EXPECT_EQ(LineCall::SetFlow, camera.calls[1].kind);
    EXPECT_EQ(2, camera.calls[1].value);
    EXPECT_EQ(LineCall::SetBaud, camera.calls[camera.calls.size() - 2].kind);
    EXPECT_EQ(115200, camera.cameraSpeed());
}

TEST_F(CamSessionTest, OpeningWithoutPortOrCamera) {
    EXPECT_EQ(CAM_ERR_NO_PORT, core.Cam_session_enabled(1));
    EXPECT_EQ(CAM_ERR_PARAM, core.Cam_session_enabled(2));
    EXPECT_TRUE(camera.calls.empty());

    camera.cameraPort = 0;
    ASSERT_EQ(3, core.Cam_set_port(3));
    EXPECT_EQ(CAM_ERR_OPEN, core.Cam_session_enabled(1));
    EXPECT_EQ(Closed, core.sessionState());
    EXPECT_EQ(camera.callsOf(LineCall::Open).size(), camera.callsOf(LineCall::Close).size());

    camera.openablePorts.clear();
    EXPECT_EQ(CAM_ERR_OPEN, core.Cam_session_enabled(1));
}

// A camera an earlier host left at a session's speed is found at that speed,
// sent back to 19200, and the opening goes on at the chosen class.
TEST_F(CamSessionTest, OpeningBringsBackACameraLeftAtAnotherSpeed) {
    const struct {
        int leftAt;
        int chosenClass;
    } cases[] = {{230400, 6}, {115200, 6}, {48000, 5}, {9600, 3}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.leftAt);
        camera.restartAt(c.leftAt);
        core.Cam_set_speed(c.chosenClass);
        ASSERT_EQ(3, core.Cam_set_port(3));
        camera.clearRecord();
        ASSERT_EQ(CAM_OK, core.Cam_session_enabled(1));
        EXPECT_EQ(camLineSpeed(c.chosenClass), camera.cameraSpeed());
        EXPECT_EQ(camLineSpeed(c.chosenClass), camera.callsOf(LineCall::SetBaud).back().value);
        // The camera was told to rest before the session's own speed command.
        EXPECT_EQ(2, countSent(0x31));
        ASSERT_EQ(CAM_OK, core.Cam_session_enabled(0));
        EXPECT_EQ(19200, camera.cameraSpeed());
    }
}

TEST_F(CamSessionTest, OpeningWithoutCameraAtAnySpeedLeavesTheLineAt19200) {
    camera.cameraPort = 0;
    core.Cam_set_speed(6);
    ASSERT_EQ(3, core.Cam_set_port(3));
    camera.clearRecord();
    EXPECT_EQ(CAM_ERR_OPEN, core.Cam_session_enabled(1));
    EXPECT_EQ(8u, camera.callsOf(LineCall::SetBaud).size() - 1);
    EXPECT_EQ(19200, camera.callsOf(LineCall::SetBaud).back().value);
}

TEST_F(CamSessionTest, OpeningFailsWhenTheLineSpeedCannotBeSet) {
    camera.setBaudResult = 0;
    core.Cam_set_speed(5);
    ASSERT_EQ(3, core.Cam_set_port(3));
    EXPECT_EQ(CAM_ERR_OPEN, core.Cam_session_enabled(1));
    EXPECT_EQ(Broken, core.sessionState());
}

TEST_F(CamSessionTest, RefusedSpeedCommandReturnsTheCameraCode) {
    core.Cam_set_speed(5);
    ASSERT_EQ(3, core.Cam_set_port(3));
    camera.answerStatus(0x31, 140, 1);
    EXPECT_EQ(CAM_ERR_CAMERA, core.Cam_session_enabled(1));
    EXPECT_TRUE(camera.callsOf(LineCall::SetBaud).empty());
}

TEST_F(CamSessionTest, ReopeningAnOpenSessionClosesTheOldOneFirst) {
    openSession(5);
    camera.closeResult = 0;
    EXPECT_EQ(CAM_ERR_CLOSE, core.Cam_session_enabled(1));
    EXPECT_EQ(Closed, core.sessionState());
}

// --- closing --------------------------------------------------------------------------

TEST_F(CamSessionTest, ClosingInClosedStateSendsNothing) {
    ASSERT_EQ(3, core.Cam_set_port(3));
    camera.clearRecord();
    EXPECT_EQ(CAM_OK, core.Cam_session_enabled(0));
    EXPECT_TRUE(camera.calls.empty());
}

TEST_F(CamSessionTest, ClosingSendsTheRestingSpeedTwice) {
    openSession(5);
    EXPECT_EQ(CAM_OK, core.Cam_session_enabled(0));
    EXPECT_EQ(Closed, core.sessionState());
    EXPECT_EQ(0, core.speedClass());
    // The first reaches the camera; the second goes out at the session's
    // speed to a camera already back at 19200 and stays unanswered.
    const auto sent = camera.commandsSent();
    EXPECT_EQ(5u, sent.size());
    for (const Bytes &command : sent)
        EXPECT_EQ(speedCommand(2), command);
    EXPECT_TRUE(camera.callsOf(LineCall::SetBaud).empty());
    EXPECT_EQ((std::vector<int>{10, 500, 50}), camera.pauses());
    EXPECT_EQ(LineCall::Close, camera.calls.back().kind);
    EXPECT_EQ(19200, camera.cameraSpeed());
    EXPECT_EQ(CAM_OK, core.Cam_error());
}

TEST_F(CamSessionTest, NextOpeningAfterACloseSendsSpeedCode0AndStaysAt19200) {
    openSession(5);
    ASSERT_EQ(CAM_OK, core.Cam_session_enabled(0));
    camera.clearRecord();
    ASSERT_EQ(CAM_OK, core.Cam_session_enabled(1));
    EXPECT_EQ(speedCommand(0), camera.commandsSent().back());
    const auto baud = camera.callsOf(LineCall::SetBaud);
    ASSERT_EQ(1u, baud.size());
    EXPECT_EQ(19200, baud[0].value);
}

TEST_F(CamSessionTest, ClosingReports7WhenThePortDoesNotClose) {
    openSession(2);
    camera.closeResult = 0;
    EXPECT_EQ(CAM_ERR_CLOSE, core.Cam_session_enabled(0));
    EXPECT_EQ(Closed, core.sessionState());
}

// --- re-opening before camera operations -------------------------------------------------

TEST_F(CamSessionTest, AfterAStored4TheNextOperationReopensTheSession) {
    openSession(5);
    camera.dropAnswers(4);
    char text[32];
    EXPECT_EQ(CAM_ERR_NO_RESPONSE, core.Cam_get_version(text));
    EXPECT_EQ(CAM_ERR_NO_RESPONSE, core.Cam_error());
    EXPECT_EQ(Broken, core.sessionState());
    camera.clearRecord();

    EXPECT_EQ(CAM_OK, core.Cam_get_version(text));
    EXPECT_EQ(Open, core.sessionState());
    EXPECT_EQ(2u, camera.callsOf(LineCall::Open).size()) << "port test, then the session";
    EXPECT_EQ(1, countSent(0x10));
    EXPECT_EQ(1, countSent(0x30));
    EXPECT_EQ(speedCommand(5), camera.commandsSent()[camera.commandsSent().size() - 2]);
    EXPECT_EQ(0x25, camera.commandsSent().back()[0]);
}

TEST_F(CamSessionTest, CameraOperationsOpenTheSessionThemselves) {
    core.Cam_set_speed(3);
    ASSERT_EQ(3, core.Cam_set_port(3));
    char text[32];
    EXPECT_EQ(CAM_OK, core.Cam_get_version(text));
    EXPECT_EQ(Open, core.sessionState());
    EXPECT_EQ(38400, camera.cameraSpeed());
}

// --- ready probe, reset, callback ----------------------------------------------------

TEST_F(CamSessionTest, ReadyProbesWithoutOpeningASession) {
    openLineWithoutSession();
    EXPECT_EQ(1, core.Cam_ready());
    EXPECT_EQ((std::vector<Bytes>{kReady}), camera.commandsSent());
    EXPECT_TRUE(camera.callsOf(LineCall::Open).empty());
    camera.dropAnswers(SimulatorPortLibrary::kForever);
    EXPECT_EQ(0, core.Cam_ready());
    EXPECT_EQ(CAM_ERR_NO_RESPONSE, core.Cam_error());
}

TEST_F(CamSessionTest, ResetClosesTheSessionAndForgetsThePort) {
    openSession(5);
    EXPECT_EQ(CAM_OK, core.Cam_reset_dll());
    EXPECT_EQ(Closed, core.sessionState());
    EXPECT_EQ(-1, core.port());
    EXPECT_EQ(0, core.speedClass());
    EXPECT_EQ(1u, camera.callsOf(LineCall::Close).size());
    camera.clearRecord();
    char text[32];
    EXPECT_EQ(CAM_ERR_NO_PORT, core.Cam_get_version(text));
    EXPECT_EQ(CAM_ERR_NO_PORT, core.Cam_erase_select(1));
    EXPECT_EQ(0, core.Cam_get_memory_status());
    EXPECT_EQ(-1, core.Cam_get_picture_count());
    EXPECT_EQ(CAM_ERR_NO_PORT, core.Cam_error());
    EXPECT_TRUE(camera.calls.empty());
}

}  // namespace
}  // namespace peltrix_test
