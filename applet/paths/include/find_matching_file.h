#pragma once
#include <string>

namespace applet {

// True when `name` (a path, relative to `base` unless it starts with a drive
// such as "D:") exists. A name with wildcards ("*", "#", "?", only in its last
// component) is true when any entry of its folder matches.
bool FindMatchingFile(const std::string &base, const std::string &name);

}  // namespace applet
