// The packet exchange: framing, echo check, statuses, retries, time-outs.
#include "camera_fixture.h"
#include "protocol.h"

#include <algorithm>
#include <string>
#include <vector>

namespace peltrix_test {
namespace {

const Bytes kReady{0x10, 0x00, 0x00, 0x00};
const Bytes kVersion{0x25, 0x00, 0x00, 0x00};
const Bytes kMemory{0x11, 0x00, 0x00, 0x00};

Bytes pictureRequest(int group, int number, std::uint32_t offset) {
    return Bytes{0x17,
                 0,
                 8,
                 0,
                 static_cast<std::uint8_t>(group),
                 0,
                 static_cast<std::uint8_t>(number),
                 0,
                 static_cast<std::uint8_t>(offset),
                 static_cast<std::uint8_t>(offset >> 8),
                 static_cast<std::uint8_t>(offset >> 16),
                 0};
}

using CamResyncTest = CameraTest;
using CamSetErrorTest = CameraTest;

class CamExchangeTest : public CameraTest {
protected:
    std::uint8_t buffer[4096];
    void SetUp() override {
        std::fill(std::begin(buffer), std::end(buffer), kSentinel);
        openLineWithoutSession();
    }
};

// --- framing -------------------------------------------------------------

TEST_F(CamExchangeTest, EmptyPayloadReturnsZeroAfterTheHeaderOnly) {
    EXPECT_EQ(0, exchange(kReady, buffer, 1024, 0));
    EXPECT_EQ(std::vector<Bytes>{kReady}, camera.commandsSent());
    EXPECT_EQ(std::vector<int>{100}, camera.readTimeouts());
    EXPECT_EQ(std::vector<int>{10}, camera.pauses());
}

TEST_F(CamExchangeTest, PayloadLandsAtTheBufferStart) {
    ASSERT_EQ(6, exchange(kVersion, buffer, 1024, 0));
    EXPECT_EQ(bytesOf(camera.profile().version), Bytes(buffer, buffer + 6));
    EXPECT_EQ(kSentinel, buffer[6]);
    EXPECT_EQ((std::vector<int>{100, 200}), camera.readTimeouts());
}

// --- missing headers and stalls share one counter of 3 ---------------------

TEST_F(CamExchangeTest, HeaderArrivingOnlyAfterTheFourthSendSucceeds) {
    camera.dropAnswers(3);
    EXPECT_EQ(6, exchange(kVersion, buffer, 1024, 0));
    EXPECT_EQ(4u, camera.commandsSent().size());
    const auto flushes = camera.callsOf(LineCall::Flush);
    ASSERT_EQ(3u, flushes.size());
    EXPECT_EQ(15, flushes[0].value);
    EXPECT_EQ(3, flushes[0].port);
}

TEST_F(CamExchangeTest, HeaderMissingOnAllFourSendsStores4) {
    camera.dropAnswers(SimulatorPortLibrary::kForever);
    EXPECT_EQ(-1, exchange(kVersion, buffer, 1024, 0));
    EXPECT_EQ(CAM_ERR_NO_RESPONSE, core.Cam_error());
    EXPECT_EQ(4u, camera.commandsSent().size());
    EXPECT_EQ(400, camera.now) << "four header time-outs of 100 ms";
}

TEST_F(CamExchangeTest, StalledPayloadResendsAndRestartsTheCountAtZero) {
    addPicture(1, 1, 3000);
    camera.stallPayload(100, 1);
    ASSERT_EQ(2048, exchange(pictureRequest(1, 1, 0), buffer, 2048, 0));
    const Bytes &data = camera.pictures()[0].data;
    EXPECT_EQ(Bytes(data.begin(), data.begin() + 2048),
              Bytes(buffer, buffer + 2048));
    EXPECT_EQ(kSentinel, buffer[2048]);
    EXPECT_EQ(2u, camera.commandsSent().size());
    // The late rest of the first answer (1948 bytes) is drained 15 bytes at a
    // time before the resend, or the resend would read it as its header.
    EXPECT_EQ(1948 / 15 + 2, static_cast<int>(camera.callsOf(LineCall::Flush).size()));
}

TEST_F(CamExchangeTest, PayloadStallingOnEverySendStores10) {
    addPicture(1, 1, 3000);
    camera.stallPayload(0, SimulatorPortLibrary::kForever);
    EXPECT_EQ(-1, exchange(pictureRequest(1, 1, 0), buffer, 2048, 0));
    EXPECT_EQ(CAM_ERR_TIMEOUT, core.Cam_error());
    EXPECT_EQ(4u, camera.commandsSent().size());
}

TEST_F(CamExchangeTest, MissingHeadersAndStallsShareTheCounter) {
    addPicture(1, 1, 3000);
    camera.dropAnswers(2);
    camera.stallPayload(10, SimulatorPortLibrary::kForever);
    EXPECT_EQ(-1, exchange(pictureRequest(1, 1, 0), buffer, 2048, 0));
    EXPECT_EQ(CAM_ERR_TIMEOUT, core.Cam_error());
    EXPECT_EQ(4u, camera.commandsSent().size());
}

TEST_F(CamExchangeTest, NegativeReadResultsCountAsNoData) {
    camera.failReads(2);
    EXPECT_EQ(6, exchange(kVersion, buffer, 1024, 0));
    EXPECT_EQ(3u, camera.commandsSent().size());
    camera.failReads(SimulatorPortLibrary::kForever);
    EXPECT_EQ(-1, exchange(kVersion, buffer, 1024, 0));
    EXPECT_EQ(CAM_ERR_NO_RESPONSE, core.Cam_error());
    EXPECT_EQ(kSentinel, buffer[6]);
}

// --- payload time-outs scale with the speed class --------------------------

TEST_F(CamExchangeTest, PayloadTimeoutsFollowTheSpeedClass) {
    struct Case {
        int speedClass;
        int size;
        std::vector<int> payloadTimeouts;
    };
    const Case cases[] = {
        {1, 2048, {614}}, {1, 100, {200}},   {2, 2048, {307}},           {3, 2048, {200}},
        {5, 2048, {200}}, {16, 2048, {200}}, {1, 5000, {614, 614, 271}}, {4, 1000, {200}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "class " << c.speedClass << ", " << c.size << " bytes");
        core.Cam_set_speed(c.speedClass);
        camera.profile().version = textOf(patternBytes(c.size, 1));
        camera.clearRecord();
        std::vector<std::uint8_t> big(static_cast<size_t>(c.size));
        ASSERT_EQ(c.size, exchange(kVersion, big.data(), c.size, 0));
        std::vector<int> expected{100};
        expected.insert(expected.end(), c.payloadTimeouts.begin(), c.payloadTimeouts.end());
        EXPECT_EQ(expected, camera.readTimeouts());
        EXPECT_EQ(bytesOf(camera.profile().version), big);
    }
}

// --- statuses ----------------------------------------------------------------

TEST_F(CamExchangeTest, BusyWithAllowancePausesAndTakesThePayload) {
    for (int length : {8, 0}) {
        camera.clearRecord();
        camera.answerStatus(0x11, CAM_STATUS_BUSY, 1, length);
        EXPECT_EQ(length, exchange(kMemory, buffer, 1024, 5999));
        EXPECT_EQ((std::vector<int>{10, 5}), camera.pauses());
        EXPECT_EQ(1u, camera.commandsSent().size());
    }
    EXPECT_EQ(Bytes(8, 0x5A), Bytes(buffer, buffer + 8));
}

TEST_F(CamExchangeTest, BusyWithoutAllowanceStores13) {
    for (int allowance : {0, -2}) {
        camera.answerStatus(0x11, CAM_STATUS_BUSY, 1, 0);
        EXPECT_EQ(-1, exchange(kMemory, buffer, 1024, allowance));
        EXPECT_EQ(CAM_ERR_CAMERA, core.Cam_error());
    }
    EXPECT_EQ(2u, camera.commandsSent().size());
}

TEST_F(CamExchangeTest, EveryRefusingStatusStores13WithoutRetry) {
    for (int status : {134, 135, 136, 138, 139, 140, 141, 142, 202}) {
        SCOPED_TRACE(status);
        camera.clearRecord();
        camera.answerStatus(0x25, static_cast<std::uint8_t>(status), 1);
        EXPECT_EQ(-1, exchange(kVersion, buffer, 1024, 1000));
        EXPECT_EQ(CAM_ERR_CAMERA, core.Cam_error());
        EXPECT_EQ(1u, camera.commandsSent().size());
    }
}

TEST_F(CamExchangeTest, UnknownStatusAndWrongEchoStore4WithoutRetry) {
    camera.answerStatus(0x25, 129, 1);
    EXPECT_EQ(-1, exchange(kVersion, buffer, 1024, 0));
    EXPECT_EQ(CAM_ERR_NO_RESPONSE, core.Cam_error());

    core.cam_set_error(CAM_OK);
    camera.replaceSubcode(0x10, 1);
    EXPECT_EQ(-1, exchange(Bytes{0x31, 0x05, 0x04, 0x00, 0x02, 0, 0, 0}, buffer, 1024, 0));
    EXPECT_EQ(CAM_ERR_NO_RESPONSE, core.Cam_error());

    core.cam_set_error(CAM_OK);
    camera.answerWrongEcho(1);
    EXPECT_EQ(-1, exchange(kVersion, buffer, 1024, 0));
    EXPECT_EQ(CAM_ERR_NO_RESPONSE, core.Cam_error());
    EXPECT_EQ(3u, camera.commandsSent().size());
}

// --- re-sync (137) --------------------------------------------------------------

TEST_F(CamExchangeTest, ResyncOnTheProbeResendsWithoutReadingTheDirectoryOrRetrying) {
    // Six resends: more than the retry counter allows, so they do not use it.
    camera.answerStatus(0x10, CAM_STATUS_RESYNC, 6);
    EXPECT_EQ(0, exchange(kReady, buffer, 1024, CAM_ALLOWANCE_PROBE));
    EXPECT_EQ(std::vector<Bytes>(7, kReady), camera.commandsSent());
    EXPECT_TRUE(camera.callsOf(LineCall::Flush).empty());
}

TEST_F(CamResyncTest, ResyncRereadsTheDirectoryThenResendsTheSameCommand) {
    openSession();
    std::uint8_t buffer[1024];
    addPicture(4, 9, 10);
    EXPECT_EQ(-1, core.pictureCount());
    camera.answerStatus(0x25, CAM_STATUS_RESYNC, 1);
    EXPECT_EQ(6, exchange(kVersion, buffer, 1024, 0));
    const auto sent = camera.commandsSent();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(kVersion, sent.front());
    EXPECT_EQ(0x14, sent[1][0]) << "directory read between the two sends";
    EXPECT_EQ(kVersion, sent.back());
    EXPECT_EQ(1, core.pictureCount());
    EXPECT_EQ(9, core.picture(0).number);
}

TEST_F(CamExchangeTest, ResyncsUseNoRetriesAndNoFlush) {
    camera.answerStatus(0x10, CAM_STATUS_RESYNC, 6);
    EXPECT_EQ(0, exchange(kReady, buffer, 1024, CAM_ALLOWANCE_PROBE));
    EXPECT_EQ(7u, camera.commandsSent().size());
    EXPECT_TRUE(camera.callsOf(LineCall::Flush).empty());
}

TEST_F(CamResyncTest, ResyncInsideADirectoryReadIsAPlainResend) {
    openSession();
    addPicture(1, 1, 10);
    addPicture(1, 2, 20);
    camera.answerStatus(0x15, CAM_STATUS_RESYNC, 1);
    EXPECT_EQ(2, core.Cam_get_picture_count());
    EXPECT_EQ(1, countSent(0x14)) << "no nested directory read";
    EXPECT_EQ(20, core.picture(1).size);
}

TEST_F(CamResyncTest, EndlessResyncIsBoundedAndFails) {
    openSession();
    std::uint8_t buffer[1024];
    addPicture(1, 1, 10);
    camera.answerStatus(0x25, CAM_STATUS_RESYNC, SimulatorPortLibrary::kForever);
    camera.answerStatus(0x14, CAM_STATUS_RESYNC, SimulatorPortLibrary::kForever);
    EXPECT_EQ(-1, exchange(kVersion, buffer, 1024, 0));
    EXPECT_EQ(CAM_ERR_NO_RESPONSE, core.Cam_error());
    EXPECT_EQ(1 + CAM_MAX_RESYNC_RESENDS, countSent(0x25));
}

// A broken session (after a failed ready probe) and a camera that answers 137
// to every speed command: the speed commands that close, test and re-open
// the port ask for the directory to be read again, and reading it would
// change the session again inside that change. Every operation that changes
// the session ends with a stored code, opens the port only for its own
// change (the port test and the session) and reads the directory only in
// the session it opened.
struct BrokenSessionCase {
    const char *name;
    int (*call)(CamCore &core);
    int result;
    int stored;
    int opens;
};

int callClose(CamCore &core) {
    return core.Cam_session_enabled(0);
}
int callReopen(CamCore &core) {
    return core.Cam_session_enabled(1);
}
int callPictureCount(CamCore &core) {
    return core.Cam_get_picture_count();
}
int callPictureFile(CamCore &core) {
    return core.Cam_get_picture_file(7, 1);
}
int callThumbnailFile(CamCore &core) {
    return core.Cam_get_thumbnail_file(7, 1);
}
int callEraseSelect(CamCore &core) {
    return core.Cam_erase_select(1);
}
int callVersion(CamCore &core) {
    char text[1100];
    return core.Cam_get_version(text);
}
int callMemoryStatus(CamCore &core) {
    return core.Cam_get_memory_status();
}

const BrokenSessionCase kBrokenSessionCases[] = {
    {"close", callClose, CAM_OK, CAM_OK, 0},
    {"reopen", callReopen, CAM_ERR_NO_RESPONSE, CAM_ERR_NO_RESPONSE, 1},
    {"pictureCount", callPictureCount, -1, CAM_ERR_NO_RESPONSE, 2},
    {"pictureFile", callPictureFile, CAM_ERR_NO_RESPONSE, CAM_ERR_NO_RESPONSE, 2},
    {"thumbnailFile", callThumbnailFile, CAM_ERR_NO_RESPONSE, CAM_ERR_NO_RESPONSE, 2},
    {"eraseSelect", callEraseSelect, CAM_ERR_NO_RESPONSE, CAM_ERR_NO_RESPONSE, 2},
    {"version", callVersion, CAM_ERR_NO_RESPONSE, CAM_ERR_NO_RESPONSE, 2},
    {"memoryStatus", callMemoryStatus, 0, CAM_ERR_NO_RESPONSE, 2},
};

class CamBrokenSessionResyncTest : public CameraTest,
                                   public ::testing::WithParamInterface<BrokenSessionCase> {};

TEST_P(CamBrokenSessionResyncTest, ResyncToEverySpeedCommandEndsAfterOneSessionChange) {
    addPicture(1, 1, 100);
    openSession(2);  // at 19200 the camera hears every re-opening
    camera.dropAnswers(4);
    ASSERT_EQ(0, core.Cam_ready());
    ASSERT_EQ(Broken, core.sessionState());
    camera.answerStatus(0x31, CAM_STATUS_RESYNC, SimulatorPortLibrary::kForever);
    camera.clearRecord();

    EXPECT_EQ(GetParam().result, GetParam().call(core));
    EXPECT_EQ(GetParam().stored, core.Cam_error());
    EXPECT_NE(Open, core.sessionState());
    EXPECT_EQ(3, core.port());
    EXPECT_EQ(0, files.appends);
    const auto opens = camera.callsOf(LineCall::Open);
    EXPECT_EQ(static_cast<size_t>(GetParam().opens), opens.size());
    for (const LineCall &open : opens)
        EXPECT_EQ(3, open.port);
    // The directory is asked for only after the probe of the new session.
    const auto sent = camera.commandsSent();
    const auto probe = std::find(sent.begin(), sent.end(), kReady);
    const auto list = std::find(sent.begin(), sent.end(), Bytes{0x14, 0, 0, 0});
    EXPECT_TRUE(list == sent.end() || probe < list);
    // Each exchange sends at most 4 times for missing answers and 10 more for
    // re-syncs; the call's own exchanges are at most six for the session
    // (two speed commands to close, one to test the port, probe, packet size,
    // speed) and three for this directory (groups, one listing, one picture),
    // and each re-sync among them reads the directory at most once.
    const int perExchange = 4 + CAM_MAX_RESYNC_RESENDS;
    const int reread = 3 * perExchange;
    const int bound = (6 + 3) * (perExchange + CAM_MAX_RESYNC_RESENDS * reread);
    EXPECT_LE(static_cast<int>(sent.size()), bound);
}

INSTANTIATE_TEST_SUITE_P(Operations, CamBrokenSessionResyncTest,
                         ::testing::ValuesIn(kBrokenSessionCases),
                         [](const ::testing::TestParamInfo<BrokenSessionCase> &info) {
                             return std::string(info.param.name);
                         });

// --- payloads longer than the caller's buffer -----------------------------------

TEST_F(CamExchangeTest, PayloadBeyondTheCapacityIsReadButNotStored) {
    camera.profile().version = textOf(patternBytes(1030, 3));
    EXPECT_EQ(1024, exchange(kVersion, buffer, 1024, 0));
    const Bytes version = bytesOf(camera.profile().version);
    EXPECT_EQ(Bytes(version.begin(), version.begin() + 1024),
              Bytes(buffer, buffer + 1024));
    EXPECT_EQ(kSentinel, buffer[1024]);
    // The surplus left the line: the next exchange reads a clean answer.
    EXPECT_EQ(1024, exchange(kVersion, buffer, 1024, 0));
    EXPECT_EQ(2u, camera.commandsSent().size());
}

TEST_F(CamExchangeTest, CapacityBelowTheHeaderSizeIsRespected) {
    camera.profile().version = textOf(patternBytes(9, 4));
    EXPECT_EQ(2, exchange(kVersion, buffer, 2, 0));
    EXPECT_EQ(camera.profile().version[1], static_cast<char>(buffer[1]));
    EXPECT_EQ(kSentinel, buffer[2]);
    EXPECT_EQ(kSentinel, buffer[3]);
}

// --- the last error and the session state -------------------------------------

TEST_F(CamSetErrorTest, SetErrorMovesTheSessionStateOnlyWhileOpenOrBroken) {
    EXPECT_EQ(CAM_ERR_NO_RESPONSE, core.cam_set_error(CAM_ERR_NO_RESPONSE));
    EXPECT_EQ(Closed, core.sessionState());
    openSession();
    for (int kept : {1, 2, 3, 5, 6, 13, 19}) {
        EXPECT_EQ(kept, core.cam_set_error(kept));
        EXPECT_EQ(Open, core.sessionState()) << kept;
    }
    for (int breaking : {4, 7, 10, 11, 255, 8, 254}) {
        core.cam_set_error(CAM_OK);
        EXPECT_EQ(breaking, core.cam_set_error(breaking));
        EXPECT_EQ(Broken, core.sessionState()) << breaking;
        EXPECT_EQ(breaking, core.Cam_error());
        core.cam_set_error(CAM_ERR_CAMERA);
        EXPECT_EQ(Broken, core.sessionState()) << "refusal leaves Broken alone";
    }
    core.cam_set_error(CAM_OK);
    EXPECT_EQ(Open, core.sessionState());
}

}  // namespace
}  // namespace peltrix_test
