#pragma once
// Runs pdrcam's commands through the real camera library and serial library
// against the simulated camera on a pseudo-terminal (port 3).

#include "camera_library.h"
#include "command_line.h"
#include "simulated_camera.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace pdrcam_test {

constexpr int kCameraPort = 3;

class RealCameraTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void TearDown() override;

    // Starts a simulator (with `simArgs`) and points port 3 at it.
    void startCamera(const std::vector<std::string> &simArgs = {});
    // Runs one pdrcam command line; output lands in out_ and err_.
    int run(const std::vector<std::string> &args);

    const pdrcam::CameraApi &api() const { return library_->api(); }
    std::string downloads() const { return work_.file("downloads"); }
    std::string downloaded(const std::string &name) const {
        return work_.file("downloads/" + name);
    }

    static std::unique_ptr<pdrcam::CameraLibrary> library_;
    ScratchFolder work_;
    std::unique_ptr<SimulatedCamera> camera_;
    std::ostringstream out_, err_;
};

}  // namespace pdrcam_test
