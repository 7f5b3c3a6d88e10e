#pragma once
// Byte encodings the transports need without a platform library: Base64 for
// the Basic authorization header, SHA-256 for certificate fingerprints.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace webpost {

std::string Base64Encode(const std::string &bytes);

// The 32 bytes of the SHA-256 digest.
std::vector<std::uint8_t> Sha256(const std::uint8_t *data, std::size_t size);

// A fingerprint as people write it: 64 hex digits, with or without ':' or
// spaces between pairs, either case. nullopt for anything else.
std::optional<std::vector<std::uint8_t>> ParseFingerprint(const std::string &text);

// Upper-case hex pairs joined by ':', as certificate tools print them.
std::string FormatFingerprint(const std::vector<std::uint8_t> &digest);

}  // namespace webpost
