#pragma once
// Path texts in the platform's multi-byte code page: "\" separates, "D:" names
// a drive, "\\server\share" a network share. Pure text work, no file system.
#include <cstddef>
#include <functional>
#include <string>

namespace applet {

// folder + "\" + name, adding the separator only when neither side has one
// and both are non-empty.
std::string JoinPath(const std::string &folder, const std::string &name);

// Everything before the last "\"; the "\" stays when it is the first character
// or follows a ":" (D:\a gives D:\, \a gives \). Empty without any "\".
std::string GetFolderPart(const std::string &path);

// Everything after the last "\"; the whole text without any "\".
std::string GetNamePart(const std::string &path);

// The text before the first ":", when there is a text before it; else empty.
std::string GetDrivePart(const std::string &path);

// Asks for the network name of a device text such as "Q:"; false when the
// device is not connected to a network share.
using NetworkNameLookup = std::function<bool(const std::string &device, std::string &networkName)>;

// Replaces the device text up to and including the first ":" with its network
// name; leaves the path unchanged when there is none.
void ResolveNetworkDrive(std::string &path, const NetworkNameLookup &lookup);

// After ResolveNetworkDrive: the length of the leading \\server\share, or 0
// when the path does not begin with one.
std::size_t GetShareRootLength(std::string &path, const NetworkNameLookup &lookup);

// The \\server\share length of the text as it stands (no drive resolution).
std::size_t ShareRootLengthOfText(const std::string &path);

// "\..." or "X:\..." is absolute; everything else is relative.
bool IsAbsolutePath(const std::string &path);

// True when the name holds any of "*", "#", "?".
bool HasWildcards(const std::string &name);

// Compares ASCII letters without regard to case and every other byte exactly
// (so that the trail bytes of double-byte characters are never folded).
bool EqualsIgnoringCase(const std::string &a, const std::string &b);
char FoldCase(char c);

}  // namespace applet
