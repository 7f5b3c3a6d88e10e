// Speed codes of the speed command and the line speeds they select.
#pragma once

#include <cstdint>

namespace camsim {

// Line speed in bits per second for a speed code. Codes the camera does not
// know (0 included) select its resting speed, 19200.
uint32_t lineSpeedForCode(uint8_t code);

// Time one byte takes on the line: 10 bits (start, 8 data, stop).
constexpr uint64_t kBitsPerByte = 10;

// Microseconds needed to move `bytes` bytes at `bitsPerSecond`.
uint64_t transmissionMicros(uint64_t bytes, uint32_t bitsPerSecond);

}  // namespace camsim
