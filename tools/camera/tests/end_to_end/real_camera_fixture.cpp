#include "real_camera_fixture.h"

#include "cancel_request.h"
#include "commands.h"

#include <cstdlib>

namespace pdrcam_test {

std::unique_ptr<pdrcam::CameraLibrary> RealCameraTest::library_;

void RealCameraTest::SetUpTestSuite() {
    if (library_)
        return;
    std::string error;
    library_ = pdrcam::CameraLibrary::load(PELTRIX_PATH, error);
    ASSERT_TRUE(library_) << error;
}

void RealCameraTest::TearDown() {
    pdrcam::setCancelRequested(false);
    // The library keeps its port and table across calls: start every test
    // from its load state.
    if (library_)
        api().Cam_reset_dll();
}

void RealCameraTest::startCamera(const std::vector<std::string> &simArgs) {
    ASSERT_TRUE(library_);
    camera_ = std::make_unique<SimulatedCamera>(work_.file("served"), simArgs);
    ASSERT_TRUE(camera_->started()) << "the simulator did not start: " << camera_->log();
    setenv(("COMM32_PORT" + std::to_string(kCameraPort)).c_str(), camera_->ptyPath().c_str(), 1);
    api().Cam_reset_dll();
}

int RealCameraTest::run(const std::vector<std::string> &args) {
    out_.str("");
    err_.str("");
    pdrcam::ParsedCommandLine parsed = pdrcam::parseCommandLine(args);
    EXPECT_TRUE(parsed.ok) << parsed.error;
    pdrcam::Console console{out_, err_, false, 80, [](const std::string &) { return true; },
                            {},   false};
    return pdrcam::runCameraCommand(api(), parsed.options, console);
}

}  // namespace pdrcam_test
