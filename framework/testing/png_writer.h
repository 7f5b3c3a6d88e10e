// Writes 24-bit RGB images as PNG files (uncompressed deflate blocks): enough
// for screenshots, and no image library needed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// `rgb` holds width * height pixels, top row first, 3 bytes each (R, G, B).
bool WritePng(const std::string &path, int width, int height, const std::vector<uint8_t> &rgb);

}  // namespace testsupport
