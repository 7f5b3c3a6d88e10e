#include "digest.h"

#include <windows.h>
#include <bcrypt.h>
#include <wincrypt.h>

#include "platform/bcrypt_handle.h"
#include "platform/win32_handles.h"
#include "utf8_text.h"

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

std::optional<std::string> Sha256OfFile(const std::string &path) {
    platform::UniqueFile file(::CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ,
                                            FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return std::nullopt;
    BCRYPT_ALG_HANDLE algorithmHandle = nullptr;
    if (!BCRYPT_SUCCESS(
            ::BCryptOpenAlgorithmProvider(&algorithmHandle, BCRYPT_SHA256_ALGORITHM, nullptr, 0)))
        return std::nullopt;
    const platform::UniqueAlgorithm algorithm(algorithmHandle);
    BCRYPT_HASH_HANDLE hashHandle = nullptr;
    if (!BCRYPT_SUCCESS(
            ::BCryptCreateHash(algorithm.Get(), &hashHandle, nullptr, 0, nullptr, 0, 0)))
        return std::nullopt;
    const platform::UniqueHash hash(hashHandle);
    constexpr DWORD kPiece = 256 * 1024;
    std::vector<UCHAR> buffer(kPiece);
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), buffer.data(), kPiece, &got, nullptr))
            return std::nullopt;
        if (got == 0)
            break;
        if (!BCRYPT_SUCCESS(::BCryptHashData(hash.Get(), buffer.data(), got, 0)))
            return std::nullopt;
    }
    UCHAR digest[32];
    if (!BCRYPT_SUCCESS(::BCryptFinishHash(hash.Get(), digest, sizeof digest, 0)))
        return std::nullopt;
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (UCHAR byte : digest) {
        hex += kHex[byte >> 4];
        hex += kHex[byte & 15];
    }
    return hex;
}

}  // namespace webpost
