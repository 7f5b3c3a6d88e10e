#include "line_speed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace pdrsim {

std::optional<uint32_t> readLineSpeed(int fd) {
    struct termios2 settings {};
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return std::nullopt;
    return static_cast<uint32_t>(settings.c_ospeed);
}

std::optional<uint32_t> readInputLineSpeed(int fd) {
    struct termios2 settings {};
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return std::nullopt;
    return static_cast<uint32_t>(settings.c_ispeed);
}

namespace {

// The classic code of a speed, or BOTHER for one that has none. Programs that
// only know the classic codes (Wine's serial driver among them) cannot read a
// standard speed that was set as a plain number.
tcflag_t speedCode(uint32_t bitsPerSecond) {
    switch (bitsPerSecond) {
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    default:
        return BOTHER;
    }
}

}  // namespace

bool setLineSpeed(int fd, uint32_t bitsPerSecond) {
    struct termios2 settings {};
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return false;
    // The input-speed bits stay clear ("input as output"): a program that
    // later sets the speed with the classic interface then gets both speeds.
    settings.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= speedCode(bitsPerSecond);
    settings.c_ispeed = bitsPerSecond;
    settings.c_ospeed = bitsPerSecond;
    return ioctl(fd, TCSETS2, &settings) == 0;
}

}  // namespace pdrsim

namespace pdrsim {

bool drainOutput(int fd) {
    return ioctl(fd, TCSBRK, 1) == 0;
}

}  // namespace pdrsim
