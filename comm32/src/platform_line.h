// Opens the platform's serial device for a port; defined once per platform.
#pragma once

#include <memory>

#include "serial_line.h"

namespace comm32 {

struct OpenRequest {
    int port = 0;     // 1-9
    int speed = 0;    // bits per second
    int inQueue = 0;  // driver buffer sizes wished for; 0 or less: the driver's own
    int outQueue = 0;
};

// A raw 8N1 line at the requested speed with nothing pending in either
// direction, or nullptr when the device cannot be opened or configured.
std::unique_ptr<SerialLine> openPlatformLine(const OpenRequest &request);

}  // namespace comm32
