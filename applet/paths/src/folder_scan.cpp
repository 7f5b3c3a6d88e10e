#include "folder_scan.h"

namespace applet {

CFolderScan::CFolderScan(const std::string &folder) {
    if (!folder.empty())
        Open(folder);
}

bool CFolderScan::Open(const std::string &folder) {
    Close();
    folder_ = folder;
    if (!folder_.empty() && folder_.back() != '\\')
        folder_ += '\\';
    find_ = FindHandle(FindFirstFileA((folder_ + "*.*").c_str(), &found_));
    if (find_.Valid()) {
        open_ = true;
        firstPending_ = true;
    }
    return open_;
}

bool CFolderScan::Next(std::string &path) {
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

void CFolderScan::Close() {
    find_.Close();
    open_ = false;
    firstPending_ = false;
}

}  // namespace applet
