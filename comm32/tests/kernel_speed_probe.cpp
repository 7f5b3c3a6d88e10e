// termios2 read-back of a terminal's speed, independent of the library's own
// speed code. <asm/termbits.h> cannot share a file with <termios.h>.
#include <asm/termbits.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <string>

namespace comm32_test {

bool readKernelSpeeds(const std::string &device, unsigned *input, unsigned *output) {
    const int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct termios2 settings {};
    const bool ok = ioctl(fd, TCGETS2, &settings) == 0;
    close(fd);
    *input = settings.c_ispeed;
    *output = settings.c_ospeed;
    return ok;
}

}  // namespace comm32_test
