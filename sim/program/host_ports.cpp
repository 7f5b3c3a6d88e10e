#include "host_ports.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "line_speed.h"

namespace pdrsim {

namespace {

constexpr int kStalledHostMs = 1000;

// Writes all bytes unless the peer takes none for a while or a stop signal comes.
void writeAll(int fd, const uint8_t *bytes, size_t count, int signalFd) {
    while (count > 0) {
        const ssize_t n = ::write(fd, bytes, count);
        if (n > 0) {
            bytes += n;
            count -= static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return;
        struct pollfd p[2] = {{fd, POLLOUT, 0}, {signalFd, POLLIN, 0}};
        const int ready = poll(p, signalFd >= 0 ? 2 : 1, kStalledHostMs);
        if (ready <= 0 || (p[1].revents & POLLIN))
            return;
    }
}

}  // namespace

uint32_t PtyHostPort::hostSpeed() {
    return readLineSpeed(slave_).value_or(0);
}

void PtyHostPort::write(const uint8_t *bytes, size_t count) {
    writeAll(master_, bytes, count, signals_.fd());
}

void DevicePort::write(const uint8_t *bytes, size_t count) {
    writeAll(fd_, bytes, count, -1);
}

void DevicePort::cameraSpeedChanged(uint32_t bitsPerSecond) {
    // The acknowledgement has to leave at the old speed first.
    drainOutput(fd_);
    if (setLineSpeed(fd_, bitsPerSecond))
        speed_ = bitsPerSecond;
}

}  // namespace pdrsim
