#include "volumes.h"

#include <windows.h>
#include <winnetwk.h>

#include <vector>

#include "path_text.h"

namespace applet {

bool LookupNetworkName(const std::string &device, std::string &networkName) {
    std::vector<char> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD status = WNetGetConnectionA(device.c_str(), buffer.data(), &size);
        if (status == NO_ERROR) {
            networkName = buffer.data();
            return true;
        }
        // A share name longer than MAX_PATH: the size needed came back in `size`.
        if (status != ERROR_MORE_DATA || size <= buffer.size())
            return false;
        buffer.resize(size);
    }
    return false;
}

void ResolveNetworkDrive(std::string &path) {
    ResolveNetworkDrive(path, LookupNetworkName);
}

std::size_t GetShareRootLength(std::string &path) {
    return GetShareRootLength(path, LookupNetworkName);
}

std::string ExpandFullPath(const std::string &path) {
    std::vector<char> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()),
                                              buffer.data(), nullptr);
        if (length == 0)
            return path;
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        // Too long for the buffer: `length` is the size needed, NUL included.
        buffer.resize(length);
    }
    return path;
}

int CompareVolumes(const std::string &a, const std::string &b) {
    if (a.empty() || b.empty())
        return 0;
    std::string fullA = ExpandFullPath(a);
    std::string fullB = ExpandFullPath(b);

    const std::string driveA = GetDrivePart(fullA);
    const std::string driveB = GetDrivePart(fullB);
    if (!driveA.empty() && !driveB.empty())
        return EqualsIgnoringCase(driveA, driveB) ? 0 : 1;

    const std::size_t rootA = GetShareRootLength(fullA);
    const std::size_t rootB = GetShareRootLength(fullB);
    if (rootA == 0 || rootB == 0)
        return 1;
    return EqualsIgnoringCase(fullA.substr(0, rootA), fullB.substr(0, rootB)) ? 0 : 1;
}

}  // namespace applet
