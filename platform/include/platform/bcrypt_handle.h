#pragma once
// The platform cryptography's algorithm and hash handles in the one handle
// owner. Users link bcrypt.

#include <windows.h>
#include <bcrypt.h>

#include "platform/win32_handles.h"

namespace platform {

namespace detail {
inline void CloseAlgorithm(BCRYPT_ALG_HANDLE h) {
    ::BCryptCloseAlgorithmProvider(h, 0);
}
inline void CloseHash(BCRYPT_HASH_HANDLE h) {
    ::BCryptDestroyHash(h);
}
}  // namespace detail

using UniqueAlgorithm = UniqueHandle<NullIsNone<BCRYPT_ALG_HANDLE, detail::CloseAlgorithm>>;
using UniqueHash = UniqueHandle<NullIsNone<BCRYPT_HASH_HANDLE, detail::CloseHash>>;

}  // namespace platform
