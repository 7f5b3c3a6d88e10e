// Which device a port number stands for on each platform.
#pragma once

#include <string>

namespace comm32 {

// Only the "com" family of devices exists; the prefix is matched without
// regard to case, as Windows device names are.
bool isComPrefix(const char *prefix);

// POSIX: the device named by the environment variable COMM32_PORT<n> when it
// is set and not empty, else /dev/ttyS<n-1>.
std::string posixDevicePath(int port);

// Windows: \\.\COMn, which also reaches ports above 9.
std::string windowsDevicePath(int port);

}  // namespace comm32
