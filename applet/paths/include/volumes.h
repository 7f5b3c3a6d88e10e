#pragma once
// Drives and network shares of real paths.
#include <cstddef>
#include <string>

namespace applet {

// The network name ("\\server\share") a device such as "Q:" is connected to;
// false for a local or unknown device.
bool LookupNetworkName(const std::string &device, std::string &networkName);

// Replaces a mapped drive letter at the start of the path with its share.
void ResolveNetworkDrive(std::string &path);

// Resolves a mapped drive, then measures the leading \\server\share (0: none).
std::size_t GetShareRootLength(std::string &path);

// The path made absolute against the current folder; unchanged when that fails.
std::string ExpandFullPath(const std::string &path);

// 0 when both paths lie on the same drive or share (or either is empty), 1
// when not. Two drive letters are compared as letters, even when both are
// mapped to one share.
int CompareVolumes(const std::string &a, const std::string &b);

}  // namespace applet
