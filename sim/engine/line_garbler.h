// What a UART makes of bytes sent at another speed than it listens at:
// here, deterministic junk of the same length. Each byte is replaced by one
// that always differs from it, so a garbled packet can never pass as clean.
#pragma once

#include <cstddef>
#include <cstdint>

namespace camsim {

class LineGarbler {
public:
    explicit LineGarbler(uint32_t salt = 0x5EED) : state_(salt) {}

    uint8_t garble(uint8_t byte);
    void garble(uint8_t *bytes, size_t count);

private:
    uint32_t state_;
};

}  // namespace camsim
