#pragma once
// Certificate fingerprints as people write them and as they are shown: the
// SHA-256 digest of a certificate, a site's trusted one given in hex.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace webpost {

// A fingerprint as people write it: 64 hex digits, with or without ':' or
// spaces between pairs, either case. nullopt for anything else.
std::optional<std::vector<std::uint8_t>> ParseFingerprint(const std::string &text);

// Upper-case hex pairs joined by ':', as certificate tools print them.
std::string FormatFingerprint(const std::vector<std::uint8_t> &digest);

}  // namespace webpost
