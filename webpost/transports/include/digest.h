#pragma once
// The byte encodings the WebDAV transport needs, from the platform's own
// cryptography rather than our own: Base64 for the Basic authorization
// header, the SHA-256 digest of a certificate to compare with a pinned
// fingerprint.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace webpost {

// On one line, as a header value needs it; empty when the platform cannot
// encode.
std::string Base64Encode(const std::string &bytes);

// The 32 bytes of the SHA-256 digest; empty when the platform cannot hash.
std::vector<std::uint8_t> Sha256(const std::uint8_t *data, std::size_t size);

}  // namespace webpost
