#include "speed_classes.h"

#include "peltrix_speed_classes.h"

namespace peltrix {

bool camSpeedClassOffered(int speedClass) {
    return findSpeedClass(speedClass) != nullptr;
}

int camLineSpeed(int speedClass) {
    const SpeedClassRate *entry = findSpeedClass(speedClass);
    return entry ? entry->bitsPerSecond : 19200;
}

int camTimeoutFactor(int speedClass) {
    // Payload time-outs are sized for 115200; the slow classes stretch them.
    switch (speedClass) {
    case CAM_SPEED_9600:
        return 12;
    case CAM_SPEED_19200:
        return 6;
    case CAM_SPEED_38400:
        return 3;
    case CAM_SPEED_57600:
        return 2;
    default:
        return 1;
    }
}

}  // namespace peltrix
