#pragma once
// The local tree of the upload plan, answered by the file system through the
// wide file functions; paths and names in UTF-8.

#include "local_tree.h"

namespace webpost {

class Win32LocalTree : public LocalTree {
public:
    std::optional<LocalItem> Stat(const std::string &path) override;
    std::optional<std::vector<LocalItem>> List(const std::string &folder) override;
    std::string Join(const std::string &folder, const std::string &child) override;
};

}  // namespace webpost
