#pragma once
// The speed classes the library offers (what Cam_set_speed takes) and the line
// speed each stands for: the library's own table, header only, for hosts that
// show or choose a speed. C++ only; peltrix.h, the library's C interface, stays
// as it is.

#include "peltrix.h"

namespace peltrix {

struct SpeedClassRate {
    int code;           // CAM_SPEED_..., the camera's speed code; what Cam_set_speed takes
    int bitsPerSecond;  // the line speed of a session in that class
};

// Every class offered, slowest first.
inline constexpr SpeedClassRate kSpeedClassRates[] = {
    {CAM_SPEED_9600, 9600},   {CAM_SPEED_19200, 19200},   {CAM_SPEED_38400, 38400},
    {CAM_SPEED_48000, 48000}, {CAM_SPEED_57600, 57600},   {CAM_SPEED_64000, 64000},
    {CAM_SPEED_96000, 96000}, {CAM_SPEED_115200, 115200}, {CAM_SPEED_230400, 230400},
};

// The entry of a class, or null when the library does not offer it.
constexpr const SpeedClassRate *findSpeedClass(int speedClass) {
    for (const SpeedClassRate &rate : kSpeedClassRates)
        if (rate.code == speedClass)
            return &rate;
    return nullptr;
}

}  // namespace peltrix
