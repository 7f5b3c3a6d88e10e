#pragma once
// A library core over the simulated camera on port 3 (ports 1-4 open), with
// helpers to reach the states the tests start from.

#include "cam_core.h"
#include "recording_file_sink.h"
#include "simulator_port_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace peltrix_test {

using namespace peltrix;

constexpr std::uint8_t kSentinel = 0xBD;

inline Bytes patternBytes(int size, int salt) {
    Bytes data(static_cast<size_t>(size));
    for (int i = 0; i < size; ++i)
        data[static_cast<size_t>(i)] =
            static_cast<std::uint8_t>((i * 31 + salt * 7 + i / 256) & 0xFF);
    return data;
}

inline Bytes bytesOf(const std::string &text) {
    return Bytes(text.begin(), text.end());
}

inline std::string textOf(const Bytes &bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// The camera the tests know: its texts, and 10000 in its memory status.
inline camsim::CameraProfile testCameraProfile() {
    camsim::CameraProfile profile;
    profile.maker = "Orvo";
    profile.version = "V1.02a";
    profile.memoryStatus = 10000;
    return profile;
}

inline camsim::StoredPicture storedPicture(int group, int number, Bytes data) {
    camsim::StoredPicture picture;
    picture.group = static_cast<std::uint16_t>(group);
    picture.number = static_cast<std::uint16_t>(number);
    picture.name = "P" + std::to_string(group) + "_" + std::to_string(number) + ".JPG";
    picture.data = std::move(data);
    return picture;
}

class CameraTest : public ::testing::Test {
protected:
    CameraTest() { connectCamera(); }

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
        addPicture(group, number, patternBytes(size, number + 100 * group));
    }

    void addPicture(int group, int number, Bytes data) {
        camera.editPictures([&](std::vector<camsim::StoredPicture> &pictures) {
            pictures.push_back(storedPicture(group, number, std::move(data)));
        });
    }

    static camsim::StoredPicture &pictureOnCamera(std::vector<camsim::StoredPicture> &pictures,
                                           int group, int number) {
        return *std::find_if(pictures.begin(), pictures.end(), [&](const camsim::StoredPicture &p) {
            return p.group == group && p.number == number;
        });
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

    void connectCamera() {
        camera.openablePorts = {1, 2, 3, 4};
        camera.cameraPort = 3;
    }

    SimulatorPortLibrary camera{testCameraProfile()};
    RecordingFileSink files;
    CamCore core{camera, files};
};

}  // namespace peltrix_test
