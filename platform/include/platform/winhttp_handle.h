#pragma once
// WinHTTP session, connection and request handles in the one handle owner.
// Users link winhttp. (WinINet's are in wininet_handle.h; the two headers do
// not mix.)

#include <windows.h>
#include <winhttp.h>

#include "platform/win32_handles.h"

namespace platform {

namespace detail {
inline void CloseWinHttp(HINTERNET h) { ::WinHttpCloseHandle(h); }
}  // namespace detail

using UniqueWinHttp = UniqueHandle<NullIsNone<HINTERNET, detail::CloseWinHttp>>;

}  // namespace platform
