#pragma once
// The Windows handle kinds of the tree, each in the one handle owner. Pick the
// owner by the call that gives the handle back, and by the value the opening
// call reports failure with:
//   UniqueFile        CreateFile and friends          INVALID_HANDLE_VALUE
//   UniqueKernel      processes, threads, events ...  null
//   UniqueFind        FindFirstFile                   INVALID_HANDLE_VALUE
//   UniqueKey         registry keys (see RegistryKey for values)  null
//   UniqueLocalMemory LocalAlloc, and buffers the system allocates that way
//   UniqueMenu, UniqueFont, UniqueBitmap, UniqueBrush, UniqueIcon, UniqueCursor
//   UniqueDc          CreateCompatibleDC, CreateDC (not GetDC's: ReleaseDC)
//   UniqueModule      LoadLibrary
// Internet handles are in winhttp_handle.h and wininet_handle.h, sockets in
// winsock_handle.h, the cryptography's in bcrypt_handle.h, so that only their
// users link the library.

#include <windows.h>

#include "platform/unique_handle.h"

namespace platform {

// Closes with `close` a handle of type `H` whose "none" value is null.
template <typename H, auto close>
struct NullIsNone {
    using Handle = H;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { close(handle); }
};

struct FileTraits {
    using Handle = HANDLE;
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) noexcept { ::CloseHandle(handle); }
};

struct FindTraits {
    using Handle = HANDLE;
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) noexcept { ::FindClose(handle); }
};

namespace detail {
inline void CloseKernel(HANDLE h) { ::CloseHandle(h); }
inline void CloseKey(HKEY h) { ::RegCloseKey(h); }
inline void CloseLocal(HLOCAL h) { ::LocalFree(h); }
inline void CloseMenu(HMENU h) { ::DestroyMenu(h); }
inline void CloseGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void CloseDc(HDC h) { ::DeleteDC(h); }
inline void CloseIcon(HICON h) { ::DestroyIcon(h); }
inline void CloseCursor(HCURSOR h) { ::DestroyCursor(h); }
inline void CloseModule(HMODULE h) { ::FreeLibrary(h); }
}  // namespace detail

using UniqueFile = UniqueHandle<FileTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
using UniqueKernel = UniqueHandle<NullIsNone<HANDLE, detail::CloseKernel>>;
using UniqueKey = UniqueHandle<NullIsNone<HKEY, detail::CloseKey>>;
using UniqueLocalMemory = UniqueHandle<NullIsNone<HLOCAL, detail::CloseLocal>>;
using UniqueMenu = UniqueHandle<NullIsNone<HMENU, detail::CloseMenu>>;
template <typename GdiObject>
using UniqueGdi = UniqueHandle<NullIsNone<GdiObject, detail::CloseGdiObject>>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniqueDc = UniqueHandle<NullIsNone<HDC, detail::CloseDc>>;
// Only for icons and cursors the program made, or loaded without LR_SHARED;
// shared ones must not be destroyed.
using UniqueIcon = UniqueHandle<NullIsNone<HICON, detail::CloseIcon>>;
using UniqueCursor = UniqueHandle<NullIsNone<HCURSOR, detail::CloseCursor>>;
using UniqueModule = UniqueHandle<NullIsNone<HMODULE, detail::CloseModule>>;

}  // namespace platform
