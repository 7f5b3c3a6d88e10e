#pragma once
// Posting to an FTP server on Windows Sockets: passive mode, binary transfers,
// folders created as needed. Each file is stored under a temporary name in
// its folder and renamed when complete, as in the folder destination, so a
// broken transfer leaves no half file under the final name.

#include <memory>

#include "destination.h"
#include "transport.h"

namespace webpost {

std::unique_ptr<Transport> MakeFtpTransport(Destination destination, Credentials credentials);

}  // namespace webpost
