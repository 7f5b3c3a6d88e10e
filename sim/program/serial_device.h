// A real serial device for the camera's end of a physical line.
#pragma once

#include <string>

#include "platform/unique_fd.h"

namespace pdrsim {

// Opens the device raw at 19200; throws std::system_error on failure.
platform::UniqueFd openSerialDevice(const std::string &path);

}  // namespace pdrsim
