// The far end of a line for tests: a pseudo-terminal whose master the test
// holds; the library opens the slave through COMM32_PORT<n>.
#pragma once

#include <string>
#include <vector>

namespace comm32_test {

class PtyPeer {
public:
    // Creates the pty and points COMM32_PORT<port> at its slave.
    explicit PtyPeer(int port);
    ~PtyPeer();
    PtyPeer(const PtyPeer &) = delete;
    PtyPeer &operator=(const PtyPeer &) = delete;

    const std::string &slavePath() const { return slavePath_; }
    void send(const std::vector<unsigned char> &bytes);
    // Everything that arrives until nothing more comes for `quietMs`.
    std::vector<unsigned char> receive(int quietMs = 50);

private:
    int port_;
    int master_;
    std::string slavePath_;
};

// The slave's speeds as the kernel reports them in bits per second, read
// through its own descriptor (termios2); false when unreadable.
bool readKernelSpeeds(const std::string &device, unsigned *input, unsigned *output);

}  // namespace comm32_test
