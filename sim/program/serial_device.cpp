#include "serial_device.h"

#include <fcntl.h>

#include <cerrno>
#include <system_error>

#include "line_speed.h"
#include "raw_terminal.h"

namespace pdrsim {

platform::UniqueFd openSerialDevice(const std::string &path) {
    platform::UniqueFd fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!fd)
        throw std::system_error(errno, std::generic_category(), "open " + path);
    if (!makeRaw(fd.Get()) || !setLineSpeed(fd.Get(), 19200))
        throw std::system_error(errno, std::generic_category(), "set up " + path);
    return fd;
}

}  // namespace pdrsim
