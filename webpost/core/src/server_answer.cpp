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

// What a problem on the way to a server says, around the server's name, and
// whether it is worth trying the step again.
struct LinkSentence {
    LinkProblem problem;
    const char *before;
    const char *after;
    bool transient;
};

const LinkSentence kLinkSentences[] = {
    {LinkProblem::CannotConnect, "The server ",
     " cannot be reached (the connection was refused or the name is unknown).", false},
    {LinkProblem::ConnectionLost, "The connection to ", " was lost.", true},
    {LinkProblem::TimedOut, "The server ", " did not answer in time.", true},
    {LinkProblem::CertificateNotTrusted, "The certificate of ", " is not trusted.", false},
    // Some platforms report an untrusted certificate only this way.
    {LinkProblem::SecureChannel, "No secure connection to ",
     " could be set up: its certificate is not trusted, or it offers no protocol in common.",
     false},
    {LinkProblem::Other, "Talking to ", " failed.", false},
};

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

bool FtpFeaturesListUtf8(const std::string &featReply) {
    std::size_t start = 0;
    while (start < featReply.size()) {
        std::size_t end = featReply.find('\n', start);
        if (end == std::string::npos)
            end = featReply.size();
        std::string line = featReply.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        const std::size_t first = line.find_first_not_of(' ');
        if (first != 0 && first != std::string::npos && line.size() - first == 4) {
            std::string feature = line.substr(first);
            for (char &c : feature)
                c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
            if (feature == "UTF8")
                return true;
        }
        start = end + 1;
    }
    return false;
}

Failure LinkFailure(LinkProblem problem, const std::string &server, const std::string &detail) {
    Failure failure;
    failure.code = result::kPostFiles;
    for (const LinkSentence &sentence : kLinkSentences) {
        if (sentence.problem == problem) {
            failure.cause = sentence.before + server + sentence.after;
            failure.transient = sentence.transient;
        }
    }
    if (!detail.empty())
        failure.cause += " " + detail;
    return failure;
}

}  // namespace webpost
