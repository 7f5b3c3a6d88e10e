#pragma once
// The two conversions between 8-bit text in a code page (the programs' own
// text is in the system code page, CP_ACP) and UTF-16, the text of OLE, of
// resources and of the wide platform calls. Empty text, or text the code page
// cannot convert, gives an empty result. A counted text may hold NULs; for a
// BSTR pass {bstr, SysStringLen(bstr)}.

#include <windows.h>

#include <string>
#include <string_view>

namespace platform {

inline std::wstring CodePageToWide(std::string_view text, UINT codePage = CP_ACP) {
    if (text.empty())
        return {};
    const int length =
        ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                          length);
    return wide;
}

inline std::string WideToCodePage(std::wstring_view text, UINT codePage = CP_ACP) {
    if (text.empty())
        return {};
    const int size = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string narrow(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &narrow[0], size,
                          nullptr, nullptr);
    return narrow;
}

}  // namespace platform
