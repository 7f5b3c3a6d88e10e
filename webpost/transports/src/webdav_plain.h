#pragma once
// A WebDAV request for http:// on the plain sockets: its head written, its
// body sent after it (in the same write when small), its answer read, on
// the transport's one kept-alive connection.
// Include before <windows.h> (the sockets header must come first).

#include "http_connection.h"

#include <optional>
#include <string>

#include "failure.h"
#include "webdav_request.h"

namespace webpost {

// `headers`: lines ending in CRLF beyond Host, User-Agent and
// Content-Length, which are added here. A request that finds its kept-alive
// connection closed before any answer goes once more on a new connection.
std::optional<Failure> PlainRequest(HttpConnection &connection, const char *verb,
                                    const std::string &path, const std::string &headers,
                                    const Body &body, Answer &answer);

}  // namespace webpost
