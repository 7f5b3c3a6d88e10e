#pragma once
// One HTTP/1.1 connection on Windows Sockets, kept open from request to
// request while the server allows it, and made again when it has closed.
// Requests go out with Nagle's algorithm off: a request's head and its body
// are separate writes, and with it on, the body would wait for the server's
// delayed acknowledgement of the head (some 40 ms a request on loopback).
// Include before <windows.h> (the sockets header must come first).

#include "platform/winsock_handle.h"

#include <cstdint>
#include <string>

#include "http_answer.h"

namespace webpost {

// What went wrong on the connection: a Windows Sockets error, the server
// closing it before its answer was complete, or an answer that is no HTTP.
struct LinkTrouble {
    int error = 0;
    bool closed = false;
    bool malformed = false;
    explicit operator bool() const { return error != 0 || closed || malformed; }
};

class HttpConnection {
public:
    HttpConnection(std::string host, std::uint16_t port);
    ~HttpConnection();
    HttpConnection(const HttpConnection &) = delete;
    HttpConnection &operator=(const HttpConnection &) = delete;

    // Connects unless a kept-alive connection is open.
    LinkTrouble Open();
    bool IsOpen() const { return static_cast<bool>(socket_); }
    // Whether the open connection has carried an answer already: a server
    // may have closed such a one while it sat idle.
    bool Reused() const { return answers_ > 0; }
    LinkTrouble Send(const char *data, std::size_t size);
    // Reads the answer to the request sent; `heard` tells whether any byte
    // of it came. The connection is closed after it unless the server
    // keeps it.
    LinkTrouble Receive(HttpAnswerReader &reader, bool &heard);
    void Close();
    // "host:port", as causes name the server.
    std::string ServerName() const;
    // The Host header's value.
    std::string HostHeader() const;

private:
    std::string host_;
    std::uint16_t port_;
    bool winsockReady_ = false;
    platform::UniqueSocket socket_;
    int answers_ = 0;
    // Bytes read beyond the last answer.
    std::string pending_;
};

}  // namespace webpost
