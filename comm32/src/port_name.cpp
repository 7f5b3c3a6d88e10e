#include "port_name.h"

#include <cctype>
#include <cstdlib>

namespace comm32 {

bool isComPrefix(const char *prefix) {
    if (prefix == nullptr)
        return false;
    const char expected[] = "com";
    for (int i = 0; i < 3; ++i) {
        if (std::tolower(static_cast<unsigned char>(prefix[i])) != expected[i])
            return false;
    }
    return prefix[3] == '\0';
}

std::string posixDevicePath(int port) {
    const std::string variable = "COMM32_PORT" + std::to_string(port);
    const char *chosen = std::getenv(variable.c_str());
    if (chosen != nullptr && *chosen != '\0')
        return chosen;
    return "/dev/ttyS" + std::to_string(port - 1);
}

std::string windowsDevicePath(int port) {
    return "\\\\.\\COM" + std::to_string(port);
}

}  // namespace comm32
