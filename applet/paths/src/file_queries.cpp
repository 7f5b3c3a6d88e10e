#include "file_queries.h"

#include <windows.h>

namespace applet {

bool IsFolder(const std::string &path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(const char *path) {
    // The attributes query answers for files and folders alike, and also for a
    // folder written with a trailing "\", which a status query would refuse.
    return path != nullptr && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool FileExists(const std::string &path) {
    return FileExists(path.c_str());
}

}  // namespace applet
