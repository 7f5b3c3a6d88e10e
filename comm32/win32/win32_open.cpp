#include "platform_line.h"
#include "port_name.h"
#include "win32_serial_line.h"

namespace comm32 {

std::unique_ptr<SerialLine> openPlatformLine(const OpenRequest &request) {
    return Win32SerialLine::open(windowsDevicePath(request.port), request);
}

}  // namespace comm32
