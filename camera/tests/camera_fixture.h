// A library core over a fake camera on port 3 (ports 1-4 open), with helpers
// to reach the states the tests start from.
#ifndef PELTRIX_TESTS_CAMERA_FIXTURE_H
#define PELTRIX_TESTS_CAMERA_FIXTURE_H

#include "cam_core.h"
#include "fake_camera.h"
#include "recording_file_sink.h"

#include <gtest/gtest.h>

namespace peltrix {
namespace test {

constexpr std::uint8_t kSentinel = 0xBD;

inline Bytes patternBytes(int size, int salt) {
    Bytes data(static_cast<size_t>(size));
    for (int i = 0; i < size; ++i)
        data[static_cast<size_t>(i)] =
            static_cast<std::uint8_t>((i * 31 + salt * 7 + i / 256) & 0xFF);
    return data;
}

class CameraTest : public ::testing::Test {
protected:
    CameraTest() {
        camera.openablePorts = {1, 2, 3, 4};
        camera.cameraPort = 3;
    }

    // Port 3 chosen and its line open, no session: for driving single exchanges.
    void openLineWithoutSession() {
        ASSERT_EQ(3, core.Cam_set_port(3));
        ASSERT_EQ(3, camera.open("com", 3, 19200, 8, 1, 1, 4096, 4096));
        camera.clearRecord();
    }

    void openSession(int speedClass = 5) {
        core.Cam_set_speed(speedClass);
        ASSERT_EQ(3, core.Cam_set_port(3));
        ASSERT_EQ(CAM_OK, core.Cam_session_enabled(1));
        camera.clearRecord();
    }

    void addPicture(int group, int number, int size) {
        if (std::find(camera.groups.begin(), camera.groups.end(), group) == camera.groups.end())
            camera.groups.push_back(group);
        camera.pictures.push_back({group, number, patternBytes(size, number + 100 * group), {}});
    }

    int exchange(const Bytes &command, std::uint8_t *response, int capacity, int allowance) {
        return core.cam_exchange(command.data(), static_cast<int>(command.size()), response,
                                 capacity, allowance);
    }

    int countSent(std::uint8_t code) const {
        int n = 0;
        for (const Bytes &sent : camera.commandsSent())
            n += !sent.empty() && sent[0] == code;
        return n;
    }

    FakeCamera camera;
    RecordingFileSink files;
    CamCore core{camera, files};
};

}  // namespace test
}  // namespace peltrix

#endif
