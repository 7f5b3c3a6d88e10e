#pragma once
// A session with the camera for the length of one command: port and speed
// chosen, progress callback installed, session opened; closed again when the
// object goes, whatever happened in between.

#include "camera_api.h"
#include "speed_classes.h"

namespace pdrcam {

class CameraSession {
public:
    explicit CameraSession(const CameraApi &api) : api_(api) {}
    ~CameraSession();
    CameraSession(const CameraSession &) = delete;
    CameraSession &operator=(const CameraSession &) = delete;

    // Port 0 searches ports 1 to 9. Returns the library's code: 0 when the
    // session stands, CAM_ERR_NO_PORT when no camera was found.
    int open(int port, const SpeedClass &speed);

    // The port in use once open() succeeded.
    int port() const { return port_; }

private:
    const CameraApi &api_;
    int port_ = -1;
};

}  // namespace pdrcam
