// Conversions between the programs' 8-bit text (system code page) and the
// UTF-16 text of OLE and of resources.
#ifndef FRAMEWORK_TEXT_CODEPAGE_H
#define FRAMEWORK_TEXT_CODEPAGE_H

#include <string>

namespace fw {

std::wstring AnsiToWide(const std::string &text);
std::string WideToAnsi(const wchar_t *text, int length);
std::string WideToAnsi(const wchar_t *text);  // null: empty

}  // namespace fw

#endif
