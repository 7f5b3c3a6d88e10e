#include "line_garbler.h"

namespace camsim {

uint8_t LineGarbler::garble(uint8_t byte) {
    state_ = state_ * 1103515245u + 12345u;
    const uint8_t noise = static_cast<uint8_t>(state_ >> 16);
    // XOR with a nonzero mask never leaves the byte unchanged.
    return static_cast<uint8_t>(byte ^ (noise | 0x01));
}

void LineGarbler::garble(uint8_t *bytes, size_t count) {
    for (size_t i = 0; i < count; ++i)
        bytes[i] = garble(bytes[i]);
}

}  // namespace camsim
