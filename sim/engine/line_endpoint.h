// The two things the camera's line needs from its surroundings: a clock to
// pace output by, and the host's end of the wire. The program implements
// them over a pseudo-terminal; tests implement them in memory.
#pragma once

#include <cstddef>
#include <cstdint>

#include "command_parser.h"

namespace camsim {

class Clock {
public:
    virtual ~Clock() = default;
    virtual Micros now() = 0;
    // Returns false when the wait was cut short because the program is to stop.
    virtual bool sleepUntil(Micros when) = 0;
};

class HostPort {
public:
    virtual ~HostPort() = default;
    // The speed the host's side of the line is set to right now.
    virtual uint32_t hostSpeed() = 0;
    virtual void write(const uint8_t *bytes, size_t count) = 0;
    // A real serial device follows the camera's speed; a pty has no speed of its own.
    virtual void cameraSpeedChanged(uint32_t /*bitsPerSecond*/) {}
    // Whether output must be paced here (a pty moves bytes at once).
    virtual bool needsPacing() const { return true; }
};

}  // namespace camsim
