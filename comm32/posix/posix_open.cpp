#include "platform_line.h"
#include "port_name.h"
#include "posix_serial_line.h"

namespace comm32 {

// The queue sizes are the Windows driver's business; a terminal's buffers
// are fixed by the kernel.
std::unique_ptr<SerialLine> openPlatformLine(const OpenRequest &request) {
    return PosixSerialLine::open(posixDevicePath(request.port), request.speed);
}

}  // namespace comm32
