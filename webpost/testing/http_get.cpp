#include "http_get.h"

#include <windows.h>
#include <winhttp.h>

#include "platform/code_page.h"
#include "platform/winhttp_handle.h"

namespace testsupport {

HttpAnswer HttpGet(const std::string &url) {
    HttpAnswer answer;
    const std::wstring wide = platform::CodePageToWide(url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    if (!::WinHttpCrackUrl(wide.c_str(), 0, 0, &parts))
        return answer;
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    const std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    platform::UniqueWinHttp session(::WinHttpOpen(L"webpost-tests", WINHTTP_ACCESS_TYPE_NO_PROXY,
                                                  WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS,
                                                  0));
    if (!session)
        return answer;
    platform::UniqueWinHttp connection(
        ::WinHttpConnect(session.Get(), host.c_str(), parts.nPort, 0));
    if (!connection)
        return answer;
    platform::UniqueWinHttp request(::WinHttpOpenRequest(connection.Get(), L"GET", path.c_str(),
                                                         nullptr, WINHTTP_NO_REFERER,
                                                         WINHTTP_DEFAULT_ACCEPT_TYPES, 0));
    if (!request ||
        !::WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                              WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !::WinHttpReceiveResponse(request.Get(), nullptr))
        return answer;
    DWORD status = 0;
    DWORD size = sizeof status;
    ::WinHttpQueryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                          WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
    answer.status = status;
    char buffer[65536];
    DWORD read = 0;
    while (::WinHttpReadData(request.Get(), buffer, sizeof buffer, &read) && read)
        answer.body.append(buffer, read);
    return answer;
}

}  // namespace testsupport
