#include "folder_contents.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/win32_handles.h"

namespace testsupport {

std::vector<std::string> FolderEntries(const std::string &folder, EntryKinds kinds) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const platform::UniqueFind find(::FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!find)
        return names;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (kinds == EntryKinds::FilesOnly && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        names.push_back(name);
    } while (::FindNextFileA(find.Get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadWholeFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace testsupport
