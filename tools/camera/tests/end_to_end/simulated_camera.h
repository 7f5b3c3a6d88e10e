#pragma once
// The simulated camera as a child process on a pseudo-terminal, with the
// pictures it serves exported for comparison. Stopped when the object goes.

#include <string>
#include <sys/types.h>
#include <vector>

namespace pdrcam_test {

class SimulatedCamera {
public:
    // Starts the simulator with `extraArgs` and exports its pictures into
    // `exportDir`; started() tells whether its pseudo-terminal came up.
    SimulatedCamera(const std::string &exportDir, const std::vector<std::string> &extraArgs = {});
    ~SimulatedCamera();
    SimulatedCamera(const SimulatedCamera &) = delete;
    SimulatedCamera &operator=(const SimulatedCamera &) = delete;

    bool started() const { return !ptyPath_.empty(); }
    const std::string &ptyPath() const { return ptyPath_; }
    // Ends the simulator as if the camera were unplugged: its pseudo-terminal
    // goes away.
    void stop();
    void signal(int signalNumber);
    // Everything the simulator logged so far (its stderr).
    std::string log() const;

    // Exported files, in the host's picture order.
    std::vector<std::string> exportedPictures() const;
    std::vector<std::string> exportedThumbnails() const;

private:
    pid_t pid_ = -1;
    int stdout_ = -1;  // kept open so that the simulator never writes into a closed pipe
    std::string exportDir_;
    std::string logPath_;
    std::string ptyPath_;
};

}  // namespace pdrcam_test
