#include "win32_error.h"

#include "utf8_text.h"

namespace webpost {

std::string DescribeError(DWORD error, HMODULE messages) {
    wchar_t *text = nullptr;
    DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                  (messages ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM);
    DWORD length =
        ::FormatMessageW(flags, messages, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    if (!length && messages)
        length =
            ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                                 FORMAT_MESSAGE_FROM_SYSTEM,
                             nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::string words = length ? Utf8FromWide(std::wstring(text, length)) : std::string();
    if (text)
        ::LocalFree(text);
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == ' '))
        words.pop_back();
    return "(error " + std::to_string(error) + (words.empty() ? "" : ": " + words) + ")";
}

}  // namespace webpost
