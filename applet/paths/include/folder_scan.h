#pragma once
// Lists one folder's entries, files and folders alike, in the platform's order
// (including "." and ".." where the platform reports them), each as the
// folder text followed by the entry's name.
#include <windows.h>

#include <string>

#include "platform/win32_handles.h"

namespace applet {

class FolderScan {
public:
    FolderScan() = default;
    // Starts listing at once when the folder text is not empty.
    explicit FolderScan(const std::string &folder);

    FolderScan(const FolderScan &) = delete;
    FolderScan &operator=(const FolderScan &) = delete;

    // Ends a listing under way, then lists `folder` (an empty text lists the
    // current folder). True when the listing started.
    bool Open(const std::string &folder);

    // The full path of the next entry; false when there is none (or not open).
    bool Next(std::string &path);

    void Close();

    bool IsOpen() const { return open_; }
    // Once opened, ends with "\" unless it is empty.
    const std::string &Folder() const { return folder_; }

private:
    bool open_ = false;
    std::string folder_;
    bool firstPending_ = false;
    platform::UniqueFind find_;
    WIN32_FIND_DATAA found_{};
};

}  // namespace applet
