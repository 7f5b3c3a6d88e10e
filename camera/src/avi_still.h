// Cameras send movie thumbnails as a small AVI whose JUNK chunk carries a
// JPEG still; this finds that still inside the thumbnail buffer.
#pragma once

#include <cstdint>

namespace peltrix {

struct AviStill {
    int offset;
    int length;
};

bool isAviThumbnail(const std::uint8_t *buffer, int size);

// Walks LIST, LIST, JUNK behind the RIFF header and returns the JPEG start
// found in the JUNK data; the length never reaches past the buffer's end.
bool findAviStill(const std::uint8_t *buffer, int size, AviStill &still);

}  // namespace peltrix
