#pragma once
// The byte encodings the WebDAV transport needs, from the platform's own
// cryptography rather than our own: Base64 for the Basic authorization
// header, the SHA-256 digest of a certificate to compare with a pinned
// fingerprint, and the SHA-256 of a local file for the site's memory.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace webpost {

// On one line, as a header value needs it; empty when the platform cannot
// encode.
std::string Base64Encode(const std::string &bytes);

// The 32 bytes of the SHA-256 digest; empty when the platform cannot hash.
std::vector<std::uint8_t> Sha256(const std::uint8_t *data, std::size_t size);

// The SHA-256 of the file at `path` (UTF-8; read in pieces, any size) in
// lower-case hex; nullopt when it cannot be read or hashed.
std::optional<std::string> Sha256OfFile(const std::string &path);

}  // namespace webpost
