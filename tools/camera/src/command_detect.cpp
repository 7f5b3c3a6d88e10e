#include "commands.h"

#include "camera_session.h"
#include "cancel_request.h"
#include "exit_codes.h"
#include "serial_port.h"

#include <vector>

namespace pdrcam {

int runDetect(const CameraApi &api, Console &console) {
    // The resting speed: a port is only asked who is there, nothing moves.
    const SpeedClass resting{CAM_SPEED_19200, 19200};
    int found = 0;
    for (int port = 1; port <= 9 && !cancelRequested(); ++port) {
        // A port that cannot be opened has no camera to ask.
        if (!portProblem(port).empty())
            continue;
        CameraSession session(api);
        if (session.open(port, resting) != CAM_OK)
            continue;
        std::vector<char> maker(CAM_TEXT_CAPACITY, '\0'), model(CAM_TEXT_CAPACITY, '\0'),
            version(CAM_TEXT_CAPACITY, '\0');
        api.Cam_get_maker(maker.data());
        api.Cam_get_cam_type(model.data());
        const bool haveVersion = api.Cam_get_version(version.data()) == CAM_OK;
        console.out << "Port " << port << " (" << portDevice(port) << "): " << maker.data() << " "
                    << model.data() << ", version " << (haveVersion ? version.data() : "unknown")
                    << "\n";
        ++found;
    }
    if (cancelRequested())
        return cancelExitCode();
    if (found == 0) {
        console.err << "pdrcam: no camera answered on ports 1 to 9\n";
        return kExitNoCamera;
    }
    return kExitOk;
}

}  // namespace pdrcam
