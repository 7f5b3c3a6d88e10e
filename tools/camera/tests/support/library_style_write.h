#pragma once
// Appends bytes to a download handle the way the camera library does: write()
// on a POSIX descriptor, _lwrite on a Windows HFILE.

#include <cstddef>
#include <cstdint>

namespace pdrcam_test {

void appendLikeLibrary(int32_t handle, const uint8_t *bytes, size_t count);

}  // namespace pdrcam_test
