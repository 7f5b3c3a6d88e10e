#pragma once
// WinINet session, connection and file handles in the one handle owner.
// Users link wininet. (WinHTTP's handles have the same type name but another
// closing call and header: winhttp_handle.h. The two headers do not mix.)

#include <windows.h>
#include <wininet.h>

#include "platform/win32_handles.h"

namespace platform {

namespace detail {
inline void CloseWinInet(HINTERNET h) { ::InternetCloseHandle(h); }
}  // namespace detail

using UniqueWinInet = UniqueHandle<NullIsNone<HINTERNET, detail::CloseWinInet>>;

}  // namespace platform
