#include "camera_session.h"

#include "progress_callback.h"

namespace pdrcam {

CameraSession::~CameraSession() {
    api_.Cam_session_enabled(0);
}

int CameraSession::open(int port, const SpeedClass &speed) {
    const int chosen = api_.Cam_set_port(port);
    // The result is a port number or an error code, and port 2 looks like
    // error 2: the stored last error tells them apart.
    const int stored = api_.Cam_error();
    if (chosen < 1 || chosen > 9 || stored != CAM_OK)
        return stored != CAM_OK ? stored : CAM_ERR_NO_PORT;
    port_ = chosen;
    int code = api_.Cam_set_speed(speed.code);
    if (code != CAM_OK)
        return code;
    api_.Cam_setup_callback(cameraProgress, kProgressCookie);
    return api_.Cam_session_enabled(1);
}

}  // namespace pdrcam
