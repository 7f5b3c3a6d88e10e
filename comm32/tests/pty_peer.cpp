#include "pty_peer.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <stdexcept>

namespace comm32_test {

namespace {
std::string variableFor(int port) {
    return "COMM32_PORT" + std::to_string(port);
}
}  // namespace

PtyPeer::PtyPeer(int port) : port_(port), master_(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC)) {
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
        throw std::runtime_error("no pseudo-terminal");
    slavePath_ = ptsname(master_);
    setenv(variableFor(port_).c_str(), slavePath_.c_str(), 1);
}

PtyPeer::~PtyPeer() {
    unsetenv(variableFor(port_).c_str());
    close(master_);
}

void PtyPeer::send(const std::vector<unsigned char> &bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            throw std::runtime_error("pty write failed");
        done += static_cast<size_t>(n);
    }
}

std::vector<unsigned char> PtyPeer::receive(int quietMs) {
    std::vector<unsigned char> got;
    pollfd entry{master_, POLLIN, 0};
    while (poll(&entry, 1, quietMs) > 0 && (entry.revents & POLLIN)) {
        unsigned char chunk[512];
        const ssize_t n = read(master_, chunk, sizeof chunk);
        if (n <= 0)
            break;
        got.insert(got.end(), chunk, chunk + n);
    }
    return got;
}

}  // namespace comm32_test
