#include "symlink_guard.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace pdrsim {

SymlinkGuard::SymlinkGuard(const std::string &target, const std::string &linkPath) {
    struct stat existing {};
    // Only a stale link is replaced, never a file someone else owns.
    if (lstat(linkPath.c_str(), &existing) == 0 && S_ISLNK(existing.st_mode))
        ::unlink(linkPath.c_str());
    if (::symlink(target.c_str(), linkPath.c_str()) != 0)
        throw std::system_error(errno, std::generic_category(), "symlink " + linkPath);
    linkPath_ = linkPath;
}

SymlinkGuard::~SymlinkGuard() {
    if (!linkPath_.empty())
        ::unlink(linkPath_.c_str());
}

}  // namespace pdrsim
