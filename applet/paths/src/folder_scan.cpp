#include "folder_scan.h"

namespace applet {

FolderScan::FolderScan(const std::string &folder) {
    if (!folder.empty())
        Open(folder);
}

bool FolderScan::Open(const std::string &folder) {
    Close();
    folder_ = folder;
    if (!folder_.empty() && folder_.back() != '\\')
        folder_ += '\\';
    find_.Reset(FindFirstFileA((folder_ + "*.*").c_str(), &found_));
    if (find_) {
        open_ = true;
        firstPending_ = true;
    }
    return open_;
}

bool FolderScan::Next(std::string &path) {
    if (!open_)
        return false;
    if (firstPending_) {
        firstPending_ = false;
    } else if (!FindNextFileA(find_.Get(), &found_)) {
        return false;
    }
    path = folder_ + found_.cFileName;
    return true;
}

void FolderScan::Close() {
    find_.Reset();
    open_ = false;
    firstPending_ = false;
}

}  // namespace applet
