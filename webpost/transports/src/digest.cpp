#include "digest.h"

#include <windows.h>
#include <bcrypt.h>
#include <wincrypt.h>

namespace webpost {

std::string Base64Encode(const std::string &bytes) {
    const auto *data = reinterpret_cast<const BYTE *>(bytes.data());
    const DWORD size = static_cast<DWORD>(bytes.size());
    // One line: a header value must not be broken.
    const DWORD flags = CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF;
    DWORD length = 0;
    if (!::CryptBinaryToStringA(data, size, flags, nullptr, &length))
        return {};
    std::string text(length, '\0');
    if (!::CryptBinaryToStringA(data, size, flags, text.data(), &length))
        return {};
    text.resize(length);
    return text;
}

std::vector<std::uint8_t> Sha256(const std::uint8_t *data, std::size_t size) {
    std::vector<std::uint8_t> digest(32);
    DWORD length = static_cast<DWORD>(digest.size());
    if (!::CryptHashCertificate2(BCRYPT_SHA256_ALGORITHM, 0, nullptr, data,
                                 static_cast<DWORD>(size), digest.data(), &length) ||
        length != digest.size())
        return {};
    return digest;
}

}  // namespace webpost
