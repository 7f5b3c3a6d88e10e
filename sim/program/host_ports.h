// The host's end of the wire, as the camera line sees it.
#pragma once

#include "line_endpoint.h"
#include "signal_watch.h"

namespace pdrsim {

// A pseudo-terminal: no speed of its own, so the host's speed is read from
// the slave's settings, and output is paced here. Bytes the host does not
// take within a second are dropped, as on a wire nobody listens to.
class PtyHostPort : public camsim::HostPort {
public:
    PtyHostPort(int master, int slave, const SignalWatch &signals)
        : master_(master), slave_(slave), signals_(signals) {}

    uint32_t hostSpeed() override;
    void write(const uint8_t *bytes, size_t count) override;

private:
    int master_;
    int slave_;
    const SignalWatch &signals_;
};

// A real serial device: the UART paces and garbles by itself; the camera
// only has to follow its own speed changes.
class DevicePort : public camsim::HostPort {
public:
    explicit DevicePort(int fd) : fd_(fd) {}

    uint32_t hostSpeed() override { return speed_; }
    void write(const uint8_t *bytes, size_t count) override;
    void cameraSpeedChanged(uint32_t bitsPerSecond) override;
    bool needsPacing() const override { return false; }

private:
    int fd_;
    uint32_t speed_ = 19200;
};

}  // namespace pdrsim
