#pragma once
// The platform's words for an error number, for causes shown to the user
// (in UTF-8, as every text inside a post).

#include <windows.h>

#include <string>

namespace webpost {

// "(error 5: Access denied.)"; the module's message table is searched too
// when one is given (WinHTTP and WinINet keep their texts there).
std::string DescribeError(DWORD error, HMODULE messages = nullptr);

}  // namespace webpost
