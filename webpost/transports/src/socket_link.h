#pragma once
// A Windows Sockets error as the post reports it: which link problem it is
// (so that a dropped connection is tried again and a refused one is not),
// with the platform's words for it. Shared by the transports on sockets.

#include <cstdint>
#include <string>

#include "failure.h"
#include "platform/winsock_handle.h"

namespace webpost {

Failure SocketLinkFailure(int error, const std::string &server);

// Small writes go out at once (each command or request waits for its answer,
// so holding one back for the acknowledgement of the last only stalls), and
// a server that stops answering ends the wait after a minute.
void SetSocketOptions(SOCKET socket);

// A TCP connection to the first of the host's addresses that takes it, with
// the options above; empty with the last Windows Sockets error otherwise.
platform::UniqueSocket ConnectTcp(const std::string &host, std::uint16_t port, int &error);

}  // namespace webpost
