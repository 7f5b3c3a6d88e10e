#pragma once
// The buffer contract of the two exports, as the platform's string functions
// have it: `*length` comes in as the buffer's size in bytes. When the text and
// its terminating NUL fit, they are written and `*length` goes out as the
// number of bytes of the text without the NUL. Otherwise nothing is written,
// `*length` goes out as the size needed (text plus NUL) and the call fails.

#include <cstdint>
#include <string>

namespace webpost {

enum class CopyOutcome { Written, TooSmall, MissingArgument };

// `buffer` may be null only together with a size of 0 (a size query).
CopyOutcome CopyTextOut(const std::string &text, char *buffer, std::uint32_t *length);

// The text in an in/out buffer: up to its first NUL, never past `size` bytes.
std::string ReadTextIn(const char *buffer, std::uint32_t size);

}  // namespace webpost
