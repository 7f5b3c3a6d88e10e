#pragma once
// Result codes of the two exports, as numbers so that the portable core needs
// no platform header. The Windows layer checks them against wpapimsg.h and
// winerror.h at compile time (the library's result_code_checks.cpp).

#include <cstdint>

namespace webpost {

using ResultCode = std::uint32_t;

namespace result {
constexpr ResultCode kSuccess = 0;
// HRESULT_FROM_WIN32(ERROR_CANCELLED): the user cancelled.
constexpr ResultCode kCancelled = 0x800704C7u;
// HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER): a caller's buffer is too small.
constexpr ResultCode kBufferTooSmall = 0x8007007Au;
// HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER): a required pointer is missing.
constexpr ResultCode kInvalidArgument = 0x80070057u;

constexpr ResultCode kUnknown = 0xC0042101u;           // WEBPOST_ERROR_UNKNOWN
constexpr ResultCode kNoProvider = 0xC0042102u;        // WEBPOST_ERROR_PROVCLSID_UNKNOWN
constexpr ResultCode kSiteCorrupt = 0xC0042103u;       // WEBPOST_ERROR_SITE_CORRUPT
constexpr ResultCode kInitFailed = 0xC0042107u;        // WEBPOST_ERROR_INIT_FAILED
constexpr ResultCode kCreateSite = 0xC004210Au;        // WEBPOST_ERROR_CREATE_SITE
constexpr ResultCode kSiteDoesNotExist = 0xC004210Bu;  // WEBPOST_ERROR_SITE_DOESNOTEXIST
constexpr ResultCode kPostFiles = 0xC004210Fu;         // WEBPOST_ERROR_POST_FILES
constexpr ResultCode kPostInfoRequired = 0xC0042111u;  // WEBPOST_ERROR_POSTINFO_REQUIRED
constexpr ResultCode kExtendedError = 0xC0042116u;     // WEBPOST_ERROR_EXTENDED_ERROR
}  // namespace result

}  // namespace webpost
