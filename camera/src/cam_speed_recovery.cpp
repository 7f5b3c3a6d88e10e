// Bringing back a camera that an earlier host left at a session's speed (it
// was killed, or lost the line before it could close): without this, every
// later session opening fails at the probe until the camera is restarted.
#include "cam_core.h"
#include "protocol.h"
#include "speed_classes.h"

namespace peltrix {

bool CamCore::recoverRestingSpeed() {
    // The class this host asked for is the likeliest; then every other one.
    int order[20];
    int count = 0;
    if (camSpeedClassOffered(cam_speed_class) && cam_speed_class != CAM_RESTING_SPEED_CODE)
        order[count++] = cam_speed_class;
    for (int speedClass = 1; speedClass <= 18; ++speedClass)
        if (camSpeedClassOffered(speedClass) && speedClass != CAM_RESTING_SPEED_CODE &&
            speedClass != cam_speed_class)
            order[count++] = speedClass;

    bool answered = false;
    for (int i = 0; i < count && !answered; ++i) {
        if (line.setBaud(cam_port, camLineSpeed(order[i])) != 1)
            continue;
        cam_flush_input();
        if (cam_probe() != CAM_OK)
            continue;
        // Acknowledged at the old speed; the camera then rests at 19200.
        answered = cam_send_speed(CAM_RESTING_SPEED_CODE) == CAM_OK;
    }
    line.setBaud(cam_port, CAM_RESTING_SPEED);
    if (!answered)
        return false;
    cam_flush_input();
    return cam_probe() == CAM_OK;
}

}  // namespace peltrix
