#include "speed_classes.h"

#include <peltrix.h>

namespace peltrix {
namespace {

struct SpeedClass {
    int number;
    int lineSpeed;
    int timeoutFactor;
};

constexpr SpeedClass kSpeedClasses[] = {
    {CAM_SPEED_9600, 9600, 12},  {CAM_SPEED_19200, 19200, 6},   {CAM_SPEED_38400, 38400, 3},
    {CAM_SPEED_57600, 57600, 2}, {CAM_SPEED_115200, 115200, 1}, {CAM_SPEED_230400, 230400, 1},
    {CAM_SPEED_48000, 48000, 1}, {CAM_SPEED_64000, 64000, 1},   {CAM_SPEED_96000, 96000, 1},
};

const SpeedClass *find(int speedClass) {
    for (const SpeedClass &entry : kSpeedClasses)
        if (entry.number == speedClass)
            return &entry;
    return nullptr;
}

}  // namespace

bool camSpeedClassOffered(int speedClass) {
    return find(speedClass) != nullptr;
}

int camLineSpeed(int speedClass) {
    const SpeedClass *entry = find(speedClass);
    return entry ? entry->lineSpeed : 19200;
}

int camTimeoutFactor(int speedClass) {
    const SpeedClass *entry = find(speedClass);
    return entry ? entry->timeoutFactor : 1;
}

}  // namespace peltrix
