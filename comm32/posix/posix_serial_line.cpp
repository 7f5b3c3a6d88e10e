#include "posix_serial_line.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>

#include "line_speed.h"

namespace comm32 {

namespace {

// How long a write may make no progress before the rest is given up: far
// longer than a full output buffer takes to drain at 9600 bits per second.
constexpr int kWriteStallMs = 5000;

int pollFor(int fd, short events, int waitMs) {
    struct pollfd entry {};
    entry.fd = fd;
    entry.events = events;
    const int ready = ::poll(&entry, 1, std::max(waitMs, 0));
    if (ready <= 0)
        return ready < 0 && errno != EINTR ? -1 : 0;
    return entry.revents;
}

}  // namespace

std::unique_ptr<PosixSerialLine> PosixSerialLine::open(const std::string &path, int speed) {
    // No controlling terminal (a line is no session's terminal), and never
    // block in open() on a modem line that waits for carrier.
    platform::UniqueFd fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd || !::isatty(fd.Get()))
        return nullptr;
    // One program per line, as Windows opens a port without sharing: an
    // advisory lock that every opening through this library takes, so that a
    // second program is refused before it sends a byte into a running
    // dialogue. It goes when the descriptor is closed.
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0)
        return nullptr;
    std::unique_ptr<PosixSerialLine> line(new PosixSerialLine(std::move(fd)));
    if (!line->makeRaw() || !line->setSpeed(speed))
        return nullptr;
    // Start clean: nothing left over from an earlier user in either direction.
    ::tcflush(line->fd_.Get(), TCIOFLUSH);
    return line;
}

bool PosixSerialLine::makeRaw() {
    struct termios settings {};
    if (::tcgetattr(fd_.Get(), &settings) != 0)
        return false;
    ::cfmakeraw(&settings);  // no echo, no line editing, no CR/LF translation
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    settings.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CREAD | CLOCAL;
    // Reads never block in the driver: time-outs are poll()'s.
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    return ::tcsetattr(fd_.Get(), TCSANOW, &settings) == 0;
}

bool PosixSerialLine::setSpeed(int bitsPerSecond) {
    return applyLineSpeed(fd_.Get(), bitsPerSecond);
}

void PosixSerialLine::setModemLines(bool raised) {
    int lines = TIOCM_DTR | TIOCM_RTS;
    // A pseudo-terminal has no modem-control lines and refuses: that is fine.
    (void)::ioctl(fd_.Get(), raised ? TIOCMBIS : TIOCMBIC, &lines);
}

int PosixSerialLine::send(const unsigned char *bytes, int count) {
    int sent = 0;
    while (sent < count) {
        const ssize_t written = ::write(fd_.Get(), bytes + sent, static_cast<size_t>(count - sent));
        if (written > 0) {
            sent += static_cast<int>(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            break;
        const int ready = pollFor(fd_.Get(), POLLOUT, kWriteStallMs);
        if (ready <= 0 || (ready & (POLLERR | POLLHUP | POLLNVAL)))
            break;
    }
    return sent;
}

int PosixSerialLine::receive(unsigned char *buffer, int maxCount, std::chrono::milliseconds wait) {
    const int ready = pollFor(fd_.Get(), POLLIN, static_cast<int>(wait.count()));
    if (ready < 0)
        return -1;
    if (ready == 0)
        return 0;  // time is up, or a signal: the caller looks at its deadline
    const ssize_t got = ::read(fd_.Get(), buffer, static_cast<size_t>(maxCount));
    if (got > 0)
        return static_cast<int>(got);
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        return 0;
    // Readable but no data: the other side has hung up. Reporting it stops the
    // caller from polling a dead line until its deadline.
    return -1;
}

}  // namespace comm32
