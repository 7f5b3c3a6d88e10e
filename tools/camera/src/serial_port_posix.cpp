#include "serial_port.h"

#include "platform/unique_fd.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace pdrcam {

std::string portDevice(int port) {
    const std::string variable = "COMM32_PORT" + std::to_string(port);
    const char *device = std::getenv(variable.c_str());
    if (device && *device)
        return device;
    return "/dev/ttyS" + std::to_string(port - 1);
}

std::string portProblem(int port) {
    const std::string device = portDevice(port);
    const std::string name = "port " + std::to_string(port) + " (" + device + ")";
    const platform::UniqueFd line(
        ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!line)
        return "cannot open " + name + ": " + std::strerror(errno);
    std::string problem;
    if (!::isatty(line.Get()))
        problem = "cannot use " + name + ": " + std::strerror(ENOTTY);
    // The serial library locks every line it opens.
    else if (::flock(line.Get(), LOCK_EX | LOCK_NB) != 0)
        problem = errno == EWOULDBLOCK ? "port " + std::to_string(port) + " is in use (" + device +
                                             " is held by another program)"
                                       : "cannot lock " + name + ": " + std::strerror(errno);
    return problem;
}

bool portForDevice(const std::string &device, int &port, std::string &error) {
    if (::setenv("COMM32_PORT1", device.c_str(), 1) != 0) {
        error = std::strerror(errno);
        return false;
    }
    port = 1;
    return true;
}

void traceLineTo(const std::string &destination) {
    ::setenv("COMM32_TRACE", destination.c_str(), 1);
}

}  // namespace pdrcam
