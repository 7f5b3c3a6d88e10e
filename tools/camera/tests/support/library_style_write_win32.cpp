#include "library_style_write.h"

#include <windows.h>

namespace pdrcam_test {

void appendLikeLibrary(int32_t handle, const uint8_t *bytes, size_t count) {
    _lwrite(static_cast<HFILE>(handle), reinterpret_cast<LPCCH>(bytes), static_cast<UINT>(count));
}

}  // namespace pdrcam_test
