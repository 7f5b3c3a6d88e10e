#include "library_style_write.h"

#include <unistd.h>

namespace pdrcam_test {

void appendLikeLibrary(int32_t handle, const uint8_t *bytes, size_t count) {
    while (count > 0) {
        ssize_t n = ::write(handle, bytes, count);
        if (n <= 0)
            return;
        bytes += n;
        count -= static_cast<size_t>(n);
    }
}

}  // namespace pdrcam_test
