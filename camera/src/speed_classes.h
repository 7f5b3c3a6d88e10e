// The speed classes the camera offers: the class number is the camera's speed
// code; each has the line speed our side switches to and a factor that
// stretches payload time-outs at slow speeds.
#ifndef PELTRIX_SPEED_CLASSES_H
#define PELTRIX_SPEED_CLASSES_H

namespace peltrix {

bool camSpeedClassOffered(int speedClass);
// Line speed in bits per second; 19200 for class 0 and anything not offered.
int camLineSpeed(int speedClass);
// 1 for every class without a factor of its own.
int camTimeoutFactor(int speedClass);

}  // namespace peltrix

#endif
