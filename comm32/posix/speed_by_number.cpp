// termios2 access; <asm/termbits.h> redefines what <termios.h> declares, so
// nothing else is included here that pulls that in.
#include "line_speed.h"

#if defined(__linux__)
#include <asm/termbits.h>
#include <sys/ioctl.h>
#endif

namespace comm32 {

#if defined(__linux__) && defined(TCGETS2) && defined(BOTHER)

bool setSpeedByNumber(int fd, int bitsPerSecond) {
    struct termios2 settings {};
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return false;
    // Clearing the input-speed field makes the input follow the output speed.
    settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= BOTHER;
    settings.c_ispeed = static_cast<speed_t>(bitsPerSecond);
    settings.c_ospeed = static_cast<speed_t>(bitsPerSecond);
    // TCSETSW2 waits, like TCSADRAIN, until pending output has gone out.
    return ioctl(fd, TCSETSW2, &settings) == 0;
}

bool readSpeedsByNumber(int fd, int *inputSpeed, int *outputSpeed) {
    struct termios2 settings {};
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return false;
    *inputSpeed = static_cast<int>(settings.c_ispeed);
    *outputSpeed = static_cast<int>(settings.c_ospeed);
    return true;
}

#else

bool setSpeedByNumber(int, int) {
    return false;
}
bool readSpeedsByNumber(int, int *, int *) {
    return false;
}

#endif

}  // namespace comm32
