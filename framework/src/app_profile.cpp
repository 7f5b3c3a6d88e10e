#include "framework/app.h"

#include <vector>

namespace fw {

std::string ProgramBaseName() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::string name(path.begin(), path.end());
    size_t slash = name.find_last_of("\\/:");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

std::string ProgramProfilePath() {
    char folder[MAX_PATH];
    UINT length = ::GetWindowsDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::string path(folder, length);
    if (path.back() != '\\')
        path += '\\';
    return path + ProgramBaseName() + ".INI";
}

int ReadProfileInt(const char *section, const char *entry, int defaultValue) {
    std::string path = ProgramProfilePath();
    if (path.empty())
        return defaultValue;
    return static_cast<int>(::GetPrivateProfileIntA(section, entry, defaultValue, path.c_str()));
}

std::string CApp::GetProfilePath() const {
    return ProgramProfilePath();
}

int CApp::GetProfileInt(const char *section, const char *entry, int defaultValue) const {
    return ReadProfileInt(section, entry, defaultValue);
}

}  // namespace fw
