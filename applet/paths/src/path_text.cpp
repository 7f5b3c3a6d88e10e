#include "path_text.h"

namespace applet {

std::string JoinPath(const std::string &folder, const std::string &name) {
    std::string joined = folder;
    if (!folder.empty() && folder.back() != '\\' && !name.empty() && name.front() != '\\')
        joined += '\\';
    joined += name;
    return joined;
}

std::string GetFolderPart(const std::string &path) {
    const std::string::size_type slash = path.rfind('\\');
    if (slash == std::string::npos)
        return std::string();
    const bool keepSlash = slash == 0 || path[slash - 1] == ':';
    return path.substr(0, keepSlash ? slash + 1 : slash);
}

std::string GetNamePart(const std::string &path) {
    const std::string::size_type slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string GetDrivePart(const std::string &path) {
    const std::string::size_type colon = path.find(':');
    if (colon == std::string::npos || colon == 0)
        return std::string();
    return path.substr(0, colon);
}

void ResolveNetworkDrive(std::string &path, const NetworkNameLookup &lookup) {
    const std::string::size_type colon = path.find(':');
    if (colon == std::string::npos || colon == 0 || !lookup)
        return;
    std::string networkName;
    if (!lookup(path.substr(0, colon + 1), networkName))
        return;
    path = networkName + path.substr(colon + 1);
}

std::size_t GetShareRootLength(std::string &path, const NetworkNameLookup &lookup) {
    ResolveNetworkDrive(path, lookup);
    return ShareRootLengthOfText(path);
}

std::size_t ShareRootLengthOfText(const std::string &path) {
    if (path.size() < 3 || path[0] != '\\' || path[1] != '\\')
        return 0;
    bool sawServerEnd = false;
    for (std::size_t i = 2; i < path.size(); ++i) {
        if (path[i] != '\\')
            continue;
        if (sawServerEnd)
            return i;
        sawServerEnd = true;
    }
    return sawServerEnd ? path.size() : 0;
}

bool IsAbsolutePath(const std::string &path) {
    if (path.empty())
        return false;
    if (path[0] == '\\')
        return true;
    return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

bool HasWildcards(const std::string &name) {
    return name.find_first_of("*#?") != std::string::npos;
}

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(const std::string &a, const std::string &b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}

}  // namespace applet
