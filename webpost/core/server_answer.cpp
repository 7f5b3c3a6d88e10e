#include "server_answer.h"

namespace webpost {

namespace {

const char *Explanation(unsigned status) {
    switch (status) {
    case 401:
        return "The server asks for a user name and password, and did not accept those given.";
    case 403:
        return "The server does not allow writing here.";
    case 404:
    case 409:
        return "The folder that should hold it does not exist on the server.";
    case 413:
        return "The server does not accept a file this large.";
    case 507:
        return "The server has no room left.";
    default:
        return nullptr;
    }
}

}  // namespace

std::optional<Failure> DavStatusFailure(DavRequest request, unsigned status,
                                        const std::string &reason, const std::string &remote) {
    if (status >= 200 && status < 300)
        return std::nullopt;
    if (request == DavRequest::MakeFolder && status == 405)
        return std::nullopt;
    Failure failure;
    failure.code = result::kExtendedError;
    failure.transient = status == 502 || status == 503 || status == 504;
    const char *verb = request == DavRequest::MakeFolder ? "MKCOL" : "PUT";
    failure.cause = std::string(verb) + " " + remote + ": " + std::to_string(status) +
                    (reason.empty() ? "" : " " + reason);
    if (const char *why = Explanation(status))
        failure.cause += "\r\n" + std::string(why);
    return failure;
}

Failure FtpReplyFailure(const std::string &what, const std::string &remote,
                        const std::string &reply) {
    Failure failure;
    failure.code = result::kExtendedError;
    // 4xx replies are the server's "try again later".
    failure.transient = !reply.empty() && reply[0] == '4';
    failure.cause = what + " " + remote + ": " + (reply.empty() ? "no reply" : reply);
    return failure;
}

Failure LinkFailure(LinkProblem problem, const std::string &server, const std::string &detail) {
    Failure failure;
    failure.code = result::kPostFiles;
    switch (problem) {
    case LinkProblem::CannotConnect:
        failure.cause = "The server " + server +
                        " cannot be reached (the connection was refused "
                        "or the name is unknown).";
        break;
    case LinkProblem::ConnectionLost:
        failure.cause = "The connection to " + server + " was lost.";
        failure.transient = true;
        break;
    case LinkProblem::TimedOut:
        failure.cause = "The server " + server + " did not answer in time.";
        failure.transient = true;
        break;
    case LinkProblem::CertificateNotTrusted:
        failure.cause = "The certificate of " + server + " is not trusted.";
        break;
    case LinkProblem::SecureChannel:
        // Some platforms report an untrusted certificate only this way.
        failure.cause = "No secure connection to " + server +
                        " could be set up: its "
                        "certificate is not trusted, or it offers no protocol in common.";
        break;
    case LinkProblem::Other:
        failure.cause = "Talking to " + server + " failed.";
        break;
    }
    if (!detail.empty())
        failure.cause += " " + detail;
    return failure;
}

}  // namespace webpost
