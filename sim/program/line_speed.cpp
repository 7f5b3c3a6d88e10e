#include "line_speed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace pdrsim {

std::optional<uint32_t> readLineSpeed(int fd) {
    struct termios2 settings {};
    if (ioctl(fd, TCGETS2, &settings) != 0) return std::nullopt;
    return static_cast<uint32_t>(settings.c_ospeed);
}

std::optional<uint32_t> readInputLineSpeed(int fd) {
    struct termios2 settings {};
    if (ioctl(fd, TCGETS2, &settings) != 0) return std::nullopt;
    return static_cast<uint32_t>(settings.c_ispeed);
}

bool setLineSpeed(int fd, uint32_t bitsPerSecond) {
    struct termios2 settings {};
    if (ioctl(fd, TCGETS2, &settings) != 0) return false;
    // The input-speed bits stay clear ("input as output"): a program that
    // later sets the speed with the classic interface then gets both speeds.
    settings.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= BOTHER;
    settings.c_ispeed = bitsPerSecond;
    settings.c_ospeed = bitsPerSecond;
    return ioctl(fd, TCSETS2, &settings) == 0;
}

}  // namespace pdrsim

namespace pdrsim {

bool drainOutput(int fd) { return ioctl(fd, TCSBRK, 1) == 0; }

}  // namespace pdrsim
