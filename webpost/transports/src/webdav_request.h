#pragma once
// What a WebDAV request sends and what it brings back, shared by its two
// ways to the server (plain sockets for http://, WinHTTP for https://): the
// body (a local file, bytes from memory, or nothing), the answer, and the
// opening of the file a PUT sends.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "failure.h"
#include "platform/win32_handles.h"
#include "transport.h"

namespace webpost {

// The server's status line, and for a GET of a 2xx answer its body when no
// larger than `limit` (`tooLarge` otherwise).
struct Answer {
    unsigned status = 0;
    std::string reason;
    std::string *body = nullptr;
    std::size_t limit = 0;
    bool tooLarge = false;
    // For a 401: whether its challenges offer Basic authentication.
    bool basicOffered = true;
};

// What a request sends after its headers: a local file, bytes from memory,
// or nothing.
struct Body {
    const std::string *localPath = nullptr;
    std::uint64_t size = 0;
    const ByteCounter *counter = nullptr;
    const std::string *bytes = nullptr;
    bool Present() const { return localPath || bytes; }
};

// Bodies are read and sent in pieces of this size; one up to kOneCallLimit
// goes whole, in the same write as the request's head.
constexpr DWORD kChunk = 256 * 1024;
constexpr std::uint64_t kOneCallLimit = 1024 * 1024;

Failure UnreadableFile(const std::string &localPath, DWORD error);

// Opens the file a PUT sends; nothing to open for a request without a body.
std::optional<Failure> OpenBody(const Body &body, platform::UniqueFile &file);

}  // namespace webpost
