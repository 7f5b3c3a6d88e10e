#pragma once
// Posting to a WebDAV server, http:// on Windows Sockets over one kept-alive
// connection, https:// through WinHTTP: MKCOL
// for the destination's root and each folder (405: it exists), PUT for each
// file, streamed from disk, GET to read the site's memory back. Basic
// authentication is answered when the server
// asks (401) and then sent with every later request. For https the
// platform's certificate check applies, unless the site trusts one
// certificate by its SHA-256 fingerprint: then exactly that certificate is
// accepted, checked before any body is sent.

#include <memory>

#include "destination.h"
#include "transport.h"

namespace webpost {

std::unique_ptr<Transport> MakeWebDavTransport(Destination destination, Credentials credentials,
                                               std::string certSha256);

}  // namespace webpost
