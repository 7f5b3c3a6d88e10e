// Reading and setting a terminal's line speed with the kernel's termios2
// interface, which carries any speed in bits per second (48000, 64000 and
// 96000 have no classic B-constant). Kept apart from <termios.h> users: the
// kernel's header clashes with the C library's.
#pragma once

#include <cstdint>
#include <optional>

namespace pdrsim {

// The output speed the terminal's settings hold, or nothing on failure.
std::optional<uint32_t> readLineSpeed(int fd);

// The input speed the terminal's settings hold, or nothing on failure.
std::optional<uint32_t> readInputLineSpeed(int fd);

// Sets input and output speed; true on success.
bool setLineSpeed(int fd, uint32_t bitsPerSecond);

}  // namespace pdrsim

namespace pdrsim {

// Waits until everything written to the terminal has left it.
bool drainOutput(int fd);

}  // namespace pdrsim
