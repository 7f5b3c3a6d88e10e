#include "local_tree_win32.h"

#include <windows.h>

#include "platform/win32_handles.h"
#include "utf8_text.h"

namespace webpost {

namespace {

std::uint64_t SizeOf(DWORD high, DWORD low) {
    return static_cast<std::uint64_t>(high) << 32 | low;
}

}  // namespace

// Paths and names are UTF-8; the wide calls see every name the file system
// holds, also those the system code page cannot spell.
std::optional<LocalItem> Win32LocalTree::Stat(const std::string &path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(WideFromUtf8(path).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    LocalItem item;
    item.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    item.size = item.folder ? 0 : SizeOf(data.nFileSizeHigh, data.nFileSizeLow);
    return item;
}

std::optional<std::vector<LocalItem>> Win32LocalTree::List(const std::string &folder) {
    WIN32_FIND_DATAW data;
    platform::UniqueFind find(::FindFirstFileW(WideFromUtf8(Join(folder, "*")).c_str(), &data));
    if (!find)
        return std::nullopt;
    std::vector<LocalItem> children;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        LocalItem item;
        item.name = Utf8FromWide(name);
        item.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        item.size = item.folder ? 0 : SizeOf(data.nFileSizeHigh, data.nFileSizeLow);
        children.push_back(item);
    } while (::FindNextFileW(find.Get(), &data));
    if (::GetLastError() != ERROR_NO_MORE_FILES)
        return std::nullopt;
    return children;
}

std::string Win32LocalTree::Join(const std::string &folder, const std::string &child) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/')
        return folder + child;
    return folder + "\\" + child;
}

}  // namespace webpost
