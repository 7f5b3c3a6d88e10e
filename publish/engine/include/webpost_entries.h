#pragma once
// The two entries of WEBPOST.DLL that Zephyne calls, bound late: the library
// is loaded by name ("WEBPOST.DLL", the standard search order) at the first
// call of either entry, never before, and never unloaded; each entry is
// looked up by name at its own first call and kept. A library that cannot be
// loaded, an entry that is missing, or a fault inside the call (see
// webpost_fault_guard.h) all answer false: the component cannot be used.
#include <windows.h>

#include <cstdint>

namespace zephyne {

// WpPostA with the arguments as given; true with its result in `result`.
bool CallWpPostA(HWND owner, DWORD pathCount, char **localPaths, DWORD *siteNameLength,
                 char *siteName, DWORD *urlLength, char *url, DWORD flags, uint32_t &result);

// WpGetErrorStringA with the arguments as given; true with its result in
// `result`.
bool CallWpGetErrorStringA(uint32_t code, char *buffer, DWORD *length, uint32_t &result);

// Whether this process has loaded the library yet (for its tests: nothing is
// loaded before the first call).
bool WebPostLoaded();

}  // namespace zephyne
