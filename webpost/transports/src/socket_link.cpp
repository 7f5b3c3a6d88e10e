#include "platform/winsock_handle.h"

#include "socket_link.h"

#include <windows.h>
#include <ws2tcpip.h>

#include "server_answer.h"
#include "win32_error.h"

namespace webpost {

Failure SocketLinkFailure(int error, const std::string &server) {
    const std::string detail = DescribeError(static_cast<DWORD>(error));
    switch (error) {
    case WSAECONNREFUSED:
    case WSAEHOSTUNREACH:
    case WSAENETUNREACH:
    case WSAHOST_NOT_FOUND:
    case WSANO_DATA:
    case WSATRY_AGAIN:
        return LinkFailure(LinkProblem::CannotConnect, server, detail);
    case WSAETIMEDOUT:
        return LinkFailure(LinkProblem::TimedOut, server, detail);
    case WSAECONNRESET:
    case WSAECONNABORTED:
    case WSAENETRESET:
    case WSAESHUTDOWN:
        return LinkFailure(LinkProblem::ConnectionLost, server, detail);
    default:
        return LinkFailure(LinkProblem::Other, server, detail);
    }
}

void SetSocketOptions(SOCKET socket) {
    constexpr DWORD kTimeoutMs = 60000;
    BOOL noDelay = TRUE;
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char *>(&noDelay),
                 sizeof noDelay);
    DWORD timeout = kTimeoutMs;
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char *>(&timeout),
                 sizeof timeout);
    ::setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char *>(&timeout),
                 sizeof timeout);
}

platform::UniqueSocket ConnectTcp(const std::string &host, std::uint16_t port, int &error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo *found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        error = ::WSAGetLastError();
        return {};
    }
    error = WSAHOST_NOT_FOUND;
    platform::UniqueSocket connected;
    for (addrinfo *address = found; address && !connected; address = address->ai_next) {
        platform::UniqueSocket socket(
            ::socket(address->ai_family, address->ai_socktype, address->ai_protocol));
        if (!socket) {
            error = ::WSAGetLastError();
            continue;
        }
        SetSocketOptions(socket.Get());
        if (::connect(socket.Get(), address->ai_addr, static_cast<int>(address->ai_addrlen)) ==
            SOCKET_ERROR) {
            error = ::WSAGetLastError();
            continue;
        }
        connected = std::move(socket);
    }
    ::freeaddrinfo(found);
    return connected;
}

}  // namespace webpost
