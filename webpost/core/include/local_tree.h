#pragma once
// What the upload plan needs to know about local files, so that the plan is
// built and tested without the platform: the Windows adapter answers from
// the file system (the transports' local_tree_win32.cpp), tests from a table.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace webpost {

struct LocalItem {
    std::string name;  // last component only, for children of a folder
    bool folder = false;
    std::uint64_t size = 0;
};

class LocalTree {
public:
    virtual ~LocalTree() = default;
    // The item at `path`, or nullopt when there is none.
    virtual std::optional<LocalItem> Stat(const std::string &path) = 0;
    // The children of a folder, "." and ".." left out, in any order; nullopt
    // when the folder cannot be read.
    virtual std::optional<std::vector<LocalItem>> List(const std::string &folder) = 0;
    // `child` below `folder` in the platform's spelling.
    virtual std::string Join(const std::string &folder, const std::string &child) = 0;
};

}  // namespace webpost
