#pragma once
#include <string>

namespace applet {

// True when the path names an existing folder.
bool IsFolder(const std::string &path);

// True when a file or folder of that path exists; false for no path.
bool FileExists(const char *path);
bool FileExists(const std::string &path);

}  // namespace applet
