// A symbolic link that exists as long as this object does.
#pragma once

#include <string>

namespace pdrsim {

class SymlinkGuard {
public:
    SymlinkGuard() = default;
    // Replaces an existing link at `linkPath`; throws std::system_error.
    SymlinkGuard(const std::string &target, const std::string &linkPath);
    ~SymlinkGuard();
    SymlinkGuard(const SymlinkGuard &) = delete;
    SymlinkGuard &operator=(const SymlinkGuard &) = delete;

private:
    std::string linkPath_;
};

}  // namespace pdrsim
