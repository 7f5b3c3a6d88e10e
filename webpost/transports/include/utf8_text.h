#pragma once
// Inside a post every name and path is UTF-8: local paths as the file system
// holds them (its names need not fit the system code page), and names as
// WebDAV servers and UTF-8 FTP servers want them. Text comes in from the
// caller in the system code page and goes back to it in error texts; these
// are the conversions at those edges and at the wide platform calls.

#include <string>

#include "platform/code_page.h"

namespace webpost {

// Text of the system code page as UTF-8. Bytes the code page does not
// define stay as they are rather than vanish.
inline std::string Utf8FromCodePage(const std::string &text) {
    const std::wstring wide = platform::CodePageToWide(text);
    return wide.empty() ? text : platform::WideToCodePage(wide, CP_UTF8);
}

// UTF-8 as the system code page spells it (characters it lacks become its
// default character).
inline std::string CodePageFromUtf8(const std::string &text) {
    const std::wstring wide = platform::CodePageToWide(text, CP_UTF8);
    return wide.empty() ? text : platform::WideToCodePage(wide);
}

inline std::wstring WideFromUtf8(const std::string &text) {
    return platform::CodePageToWide(text, CP_UTF8);
}

inline std::string Utf8FromWide(const std::wstring &text) {
    return platform::WideToCodePage(text, CP_UTF8);
}

}  // namespace webpost
