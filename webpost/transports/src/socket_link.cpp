#include "platform/winsock_handle.h"

#include "socket_link.h"

#include <windows.h>

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

}  // namespace webpost
