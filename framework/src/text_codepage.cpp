#include "framework/text_codepage.h"

#include <windows.h>

#include <cwchar>

namespace fw {

std::wstring AnsiToWide(const std::string &text) {
    if (text.empty())
        return {};
    int length =
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(length > 0 ? length : 0, L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                              length);
    return wide;
}

std::string WideToAnsi(const wchar_t *text, int length) {
    if (!text || length <= 0)
        return {};
    int size = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string ansi(size > 0 ? size : 0, '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_ACP, 0, text, length, &ansi[0], size, nullptr, nullptr);
    return ansi;
}

std::string WideToAnsi(const wchar_t *text) {
    return text ? WideToAnsi(text, static_cast<int>(std::wcslen(text))) : std::string();
}

}  // namespace fw
