#include "avi_still.h"

#include "protocol.h"

#include <algorithm>
#include <cstring>

namespace peltrix {

bool isAviThumbnail(const std::uint8_t *buffer, int size) {
    return size >= 11 && std::memcmp(buffer, "RIFF", 4) == 0 &&
           std::memcmp(buffer + 8, "AVI", 3) == 0;
}

bool findAviStill(const std::uint8_t *buffer, int size, AviStill &still) {
    // 64-bit positions: chunk sizes come from the camera and may be anything.
    std::int64_t position = 12;
    std::int32_t junkSize = 0;
    bool found = false;
    for (int chunk = 0; chunk < 3; ++chunk) {
        if (position + 8 >= size)
            break;
        const std::uint8_t *tag = buffer + position;
        const std::int32_t chunkSize = static_cast<std::int32_t>(camLoad32(tag + 4));
        if (chunk < 2) {
            if (std::memcmp(tag, "LIST", 4) != 0)
                break;
            position += static_cast<std::uint32_t>(chunkSize) + std::int64_t{8};
            continue;
        }
        if (std::memcmp(tag, "JUNK", 4) == 0 && chunkSize > 0) {
            junkSize = chunkSize;
            found = true;
        }
    }
    if (!found)
        return false;

    std::int64_t scan = position + 8;
    while (scan < junkSize && scan + 1 < size &&
           !(buffer[scan] == 0xFF && buffer[scan + 1] == 0xD8))
        ++scan;
    if (scan >= size || buffer[scan] != 0xFF)
        return false;
    still.offset = static_cast<int>(scan);
    still.length = static_cast<int>(std::min<std::int64_t>(junkSize, size - scan));
    return true;
}

}  // namespace peltrix
