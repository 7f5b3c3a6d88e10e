#pragma once
// The library as a caller sees it: loaded by name, both entries bound by
// name, and the calls as a publisher makes them.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32_handles.h"

namespace testsupport {

using PostFn = DWORD(WINAPI *)(HWND, DWORD, LPSTR *, LPDWORD, LPSTR, LPDWORD, LPSTR, DWORD);
using ErrorStringFn = DWORD(WINAPI *)(UINT, LPSTR, LPDWORD);

struct PostCall {
    std::vector<std::string> paths;
    std::string siteName;
    std::string url;
    DWORD flags = 0x2 | 0x200;  // no wizard, no progress window
    DWORD siteLength = 260;
    DWORD urlLength = 260;
    HWND owner = nullptr;
};

struct PostAnswer {
    DWORD code = 0;
    std::string siteName;  // the buffers after the call, up to their first NUL
    std::string url;
    DWORD siteLength = 0;
    DWORD urlLength = 0;
    std::string errorText;  // WpGetErrorStringA's text for the code (empty on success)
};

class WebPostLibrary {
public:
    WebPostLibrary();
    bool Loaded() const { return post_ && errorString_; }
    PostFn Post() const { return post_; }
    ErrorStringFn ErrorString() const { return errorString_; }

    // Calls WpPostA with buffers of at least 260 bytes (more when the text
    // is longer) and the lengths of `call`, then fetches the error text.
    PostAnswer Run(const PostCall &call) const;
    std::string ErrorText(DWORD code) const;

private:
    platform::UniqueModule module_;
    PostFn post_ = nullptr;
    ErrorStringFn errorString_ = nullptr;
};

// Result codes as the platform headers spell them.
constexpr DWORD kCancelled = 0x800704C7;
constexpr DWORD kBufferTooSmall = 0x8007007A;
constexpr DWORD kInvalidArgument = 0x80070057;

}  // namespace testsupport
