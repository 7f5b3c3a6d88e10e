#include "line_speed.h"

#include <termios.h>

namespace comm32 {

namespace {

struct NamedSpeed {
    int bitsPerSecond;
    speed_t code;
};

// Speeds with a constant of their own; every other speed goes by number.
constexpr NamedSpeed kNamedSpeeds[] = {
    {1200, B1200},     {2400, B2400},   {4800, B4800},   {9600, B9600},
    {19200, B19200},   {38400, B38400}, {57600, B57600}, {115200, B115200},
#ifdef B230400
    {230400, B230400},
#endif
};

bool findCode(int bitsPerSecond, speed_t *code) {
    for (const NamedSpeed &named : kNamedSpeeds) {
        if (named.bitsPerSecond == bitsPerSecond) {
            *code = named.code;
            return true;
        }
    }
    return false;
}

bool setNamedSpeed(int fd, speed_t code) {
    struct termios settings {};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    if (cfsetispeed(&settings, code) != 0 || cfsetospeed(&settings, code) != 0)
        return false;
    // TCSADRAIN: bytes still on their way out go at the speed they were
    // written for.
    return tcsetattr(fd, TCSADRAIN, &settings) == 0;
}

}  // namespace

int readLineSpeed(int fd) {
    int input = 0;
    int output = 0;
    if (readSpeedsByNumber(fd, &input, &output))
        return input == output ? output : -1;
    struct termios settings {};
    if (tcgetattr(fd, &settings) != 0)
        return -1;
    const speed_t code = cfgetospeed(&settings);
    if (cfgetispeed(&settings) != code && cfgetispeed(&settings) != 0)
        return -1;
    for (const NamedSpeed &named : kNamedSpeeds) {
        if (named.code == code)
            return named.bitsPerSecond;
    }
    return -1;
}

bool applyLineSpeed(int fd, int bitsPerSecond) {
    if (bitsPerSecond <= 0)
        return false;
    speed_t code = 0;
    // tcsetattr reports success when any part of the change was made, so
    // only the read-back tells whether the speed took.
    const bool requested = findCode(bitsPerSecond, &code) ? setNamedSpeed(fd, code)
                                                          : setSpeedByNumber(fd, bitsPerSecond);
    return requested && readLineSpeed(fd) == bitsPerSecond;
}

}  // namespace comm32
