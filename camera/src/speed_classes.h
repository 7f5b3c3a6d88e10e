#pragma once
// The speed classes as the library's core uses them: the class number is the
// camera's speed code; each has the line speed our side switches to (from the
// public table in peltrix_speed_classes.h) and a factor that stretches payload
// time-outs at slow speeds.

namespace peltrix {

bool camSpeedClassOffered(int speedClass);
// Line speed in bits per second; 19200 for class 0 and anything not offered.
int camLineSpeed(int speedClass);
// 1 for every class without a factor of its own.
int camTimeoutFactor(int speedClass);

}  // namespace peltrix
