#pragma once
// A POSIX file descriptor in the tree's one handle owner.

#include <unistd.h>

#include "platform/unique_handle.h"

namespace platform {

struct FdTraits {
    using Handle = int;
    static int Invalid() noexcept { return -1; }
    static void Close(int fd) noexcept { ::close(fd); }
};

using UniqueFd = UniqueHandle<FdTraits>;

}  // namespace platform
