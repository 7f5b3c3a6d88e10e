#include "speed_classes.h"

namespace peltrix {
namespace {

struct SpeedClass {
    int number;
    int lineSpeed;
    int timeoutFactor;
};

constexpr SpeedClass kSpeedClasses[] = {
    {1, 9600, 12},  {2, 19200, 6},  {3, 38400, 3},  {4, 57600, 2},  {5, 115200, 1},
    {6, 230400, 1}, {16, 48000, 1}, {17, 64000, 1}, {18, 96000, 1},
};

const SpeedClass *find(int speedClass) {
    for (const SpeedClass &entry : kSpeedClasses)
        if (entry.number == speedClass)
            return &entry;
    return nullptr;
}

} // namespace

bool camSpeedClassOffered(int speedClass) { return find(speedClass) != nullptr; }

int camLineSpeed(int speedClass) {
    const SpeedClass *entry = find(speedClass);
    return entry ? entry->lineSpeed : 19200;
}

int camTimeoutFactor(int speedClass) {
    const SpeedClass *entry = find(speedClass);
    return entry ? entry->timeoutFactor : 1;
}

} // namespace peltrix
