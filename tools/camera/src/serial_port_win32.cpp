#include "serial_port.h"

#include "file_system.h"
#include "platform/win32_handles.h"

#include <windows.h>

#include <cctype>
#include <cstdlib>

namespace pdrcam {

std::string portDevice(int port) {
    return "COM" + std::to_string(port);
}

std::string portProblem(int port) {
    const std::string path = "\\\\.\\" + portDevice(port);
    // Opened only to learn whether it can be: closed again at once.
    if (platform::UniqueFile(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                         OPEN_EXISTING, 0, nullptr)))
        return {};
    // Ports are opened without sharing: a second opening is refused.
    if (GetLastError() == ERROR_ACCESS_DENIED || GetLastError() == ERROR_SHARING_VIOLATION)
        return "port " + std::to_string(port) + " is in use (" + portDevice(port) +
               " is held by another program)";
    return "cannot open port " + std::to_string(port) + " (" + portDevice(port) +
           "): " + lastSystemError();
}

bool portForDevice(const std::string &device, int &port, std::string &error) {
    std::string name = device;
    if (name.compare(0, 4, "\\\\.\\") == 0)
        name = name.substr(4);
    if (name.size() == 4 && std::toupper(static_cast<unsigned char>(name[0])) == 'C' &&
        std::toupper(static_cast<unsigned char>(name[1])) == 'O' &&
        std::toupper(static_cast<unsigned char>(name[2])) == 'M' && name[3] >= '1' &&
        name[3] <= '9') {
        port = name[3] - '0';
        return true;
    }
    error = "the camera library reaches only COM1 to COM9, not '" + device + "'";
    return false;
}

void traceLineTo(const std::string &destination) {
    // Both the process's block and the C runtime's copy that getenv reads.
    SetEnvironmentVariableA("COMM32_TRACE", destination.c_str());
    _putenv_s("COMM32_TRACE", destination.c_str());
}

}  // namespace pdrcam
