#pragma once
// A Windows Sockets error as the post reports it: which link problem it is
// (so that a dropped connection is tried again and a refused one is not),
// with the platform's words for it. Shared by the transports on sockets.

#include <string>

#include "failure.h"

namespace webpost {

Failure SocketLinkFailure(int error, const std::string &server);

}  // namespace webpost
