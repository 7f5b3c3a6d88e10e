#pragma once
// What a server's answer means for the post: the WebDAV status of MKCOL and
// PUT, the FTP reply of a command, and failures below both (no connection,
// an untrusted certificate). The mapping is one table, so every destination
// kind reports alike:
//
//   the server answered with an error status   -> kExtendedError, status line
//   it could not be reached or dropped the line -> kPostFiles (dropped: retried)
//   its certificate is not trusted              -> kPostFiles
//   no secure channel could be set up            -> kPostFiles
//   503, 502, 504 (busy or a gateway's trouble) -> kExtendedError, retried

#include <optional>
#include <string>

#include "failure.h"

namespace webpost {

enum class DavRequest { MakeFolder, PutFile };

// nullopt when the status means done: 2xx, and for MKCOL also 405 (the
// folder exists already). `reason` is the server's reason phrase.
std::optional<Failure> DavStatusFailure(DavRequest request, unsigned status,
                                        const std::string &reason, const std::string &remote);

// FTP: `reply` is the server's last reply line ("550 No such directory").
Failure FtpReplyFailure(const std::string &what, const std::string &remote,
                        const std::string &reply);

// Whether a server's FEAT reply (every line) lists UTF8 among its features:
// the lines that start with a blank, compared without regard to case.
bool FtpFeaturesListUtf8(const std::string &featReply);

enum class LinkProblem {
    CannotConnect,
    ConnectionLost,
    TimedOut,
    CertificateNotTrusted,
    SecureChannel,
    Other
};
Failure LinkFailure(LinkProblem problem, const std::string &server, const std::string &detail);

// How often a step is tried in all when its failures are transient.
constexpr int kAttemptsPerStep = 3;

}  // namespace webpost
