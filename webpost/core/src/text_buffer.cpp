#include "text_buffer.h"

#include <cstring>

namespace webpost {

CopyOutcome CopyTextOut(const std::string &text, char *buffer, std::uint32_t *length) {
    if (!length)
        return CopyOutcome::MissingArgument;
    const std::uint64_t needed = static_cast<std::uint64_t>(text.size()) + 1;
    if (!buffer || *length < needed) {
        *length = static_cast<std::uint32_t>(needed);
        return CopyOutcome::TooSmall;
    }
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    *length = static_cast<std::uint32_t>(text.size());
    return CopyOutcome::Written;
}

std::string ReadTextIn(const char *buffer, std::uint32_t size) {
    if (!buffer)
        return {};
    const void *end = std::memchr(buffer, '\0', size);
    return std::string(buffer, end ? static_cast<const char *>(end) - buffer : size);
}

}  // namespace webpost
