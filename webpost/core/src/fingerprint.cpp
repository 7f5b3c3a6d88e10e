#include "fingerprint.h"

#include <cctype>

namespace webpost {

std::optional<std::vector<std::uint8_t>> ParseFingerprint(const std::string &text) {
    std::string hex;
    for (char c : text) {
        if (c == ':' || c == ' ')
            continue;
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        hex += c;
    }
    if (hex.size() != 64)
        return std::nullopt;
    std::vector<std::uint8_t> digest(32);
    for (int i = 0; i < 32; ++i)
        digest[i] = static_cast<std::uint8_t>(std::stoi(hex.substr(2 * i, 2), nullptr, 16));
    return digest;
}

std::string FormatFingerprint(const std::vector<std::uint8_t> &digest) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (std::uint8_t b : digest) {
        if (!out.empty())
            out += ':';
        out += hex[b >> 4];
        out += hex[b & 15];
    }
    return out;
}

}  // namespace webpost
