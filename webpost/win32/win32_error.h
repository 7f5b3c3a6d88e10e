// The platform's words for an error number, for causes shown to the user.
#ifndef WEBPOST_WIN32_WIN32_ERROR_H
#define WEBPOST_WIN32_WIN32_ERROR_H

#include <windows.h>

#include <string>

namespace webpost {

// "(error 5: Access denied.)"; the module's message table is searched too
// when one is given (WinHTTP and WinINet keep their texts there).
std::string DescribeError(DWORD error, HMODULE messages = nullptr);

}  // namespace webpost

#endif
