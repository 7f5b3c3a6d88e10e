#include "webdav_plain.h"

#include <windows.h>

#include <vector>

#include "http_answer.h"
#include "server_answer.h"
#include "socket_link.h"

namespace webpost {

namespace {

Failure PlainLinkFailure(const HttpConnection &connection, const LinkTrouble &trouble) {
    if (trouble.error)
        return SocketLinkFailure(trouble.error, connection.ServerName());
    if (trouble.malformed)
        return LinkFailure(LinkProblem::Other, connection.ServerName(), "Its answer is not HTTP.");
    return LinkFailure(LinkProblem::ConnectionLost, connection.ServerName(), "");
}

// One request on the kept-alive connection. A body up to kOneCallLimit
// goes in the same write as the head; a larger one follows in chunks.
std::optional<Failure> PlainExchange(HttpConnection &connection, const char *verb,
                                     const std::string &path, const std::string &headers,
                                     const Body &body, Answer &answer, bool &stale) {
    stale = false;
    platform::UniqueFile file;
    if (std::optional<Failure> failure = OpenBody(body, file))
        return failure;
    if (LinkTrouble trouble = connection.Open())
        return PlainLinkFailure(connection, trouble);
    const bool reused = connection.Reused();
    std::string request = std::string(verb) + " " + path +
                          " HTTP/1.1\r\nHost: " + connection.HostHeader() +
                          "\r\nUser-Agent: WebPost/1.0\r\n" + headers;
    if (body.Present())
        request += "Content-Length: " + std::to_string(body.size) + "\r\n";
    request += "\r\n";
    const bool inOneCall = body.bytes || (body.localPath && body.size <= kOneCallLimit);
    if (body.bytes) {
        request += *body.bytes;
    } else if (inOneCall && body.size > 0) {
        const std::size_t headSize = request.size();
        const DWORD total = static_cast<DWORD>(body.size);
        request.resize(headSize + total);
        DWORD got = 0;
        if (!::ReadFile(file.Get(), &request[headSize], total, &got, nullptr) || got != total)
            return UnreadableFile(*body.localPath, ::GetLastError());
    }
    LinkTrouble sent = connection.Send(request.data(), request.size());
    if (!sent && inOneCall && body.localPath)
        (*body.counter)(body.size);
    if (!sent && !inOneCall) {
        std::vector<char> buffer(kChunk);
        std::uint64_t done = 0;
        while (!sent && done < body.size) {
            DWORD got = 0;
            if (!::ReadFile(file.Get(), buffer.data(), kChunk, &got, nullptr)) {
                connection.Close();
                return UnreadableFile(*body.localPath, ::GetLastError());
            }
            if (got == 0) {
                connection.Close();
                return Failure{result::kPostFiles,
                               "The local file \"" + *body.localPath + "\" became shorter.", false};
            }
            sent = connection.Send(buffer.data(), got);
            done += got;
            if (!sent)
                (*body.counter)(done);
        }
    }
    // Even when the body could not all be sent, the server may have
    // answered before closing (413 for a body beyond its limit): that
    // answer is the better cause.
    HttpAnswerReader reader(answer.body != nullptr, answer.limit);
    bool heard = false;
    if (LinkTrouble received = connection.Receive(reader, heard)) {
        connection.Close();
        stale = reused && !heard;
        return PlainLinkFailure(connection, sent ? sent : received);
    }
    if (sent)
        connection.Close();
    answer.status = reader.Status();
    answer.reason = reader.Reason();
    answer.basicOffered = OffersBasicAuthentication(reader.Headers("WWW-Authenticate"));
    if (answer.body) {
        *answer.body = reader.Body();
        answer.tooLarge = reader.BodyTooLarge();
    }
    return std::nullopt;
}

}  // namespace

std::optional<Failure> PlainRequest(HttpConnection &connection, const char *verb,
                                    const std::string &path, const std::string &headers,
                                    const Body &body, Answer &answer) {
    bool stale = false;
    std::optional<Failure> failure =
        PlainExchange(connection, verb, path, headers, body, answer, stale);
    // A kept-alive connection the server had closed while it sat idle:
    // nothing of the request was heard, so it goes once more on a new one.
    if (failure && stale)
        failure = PlainExchange(connection, verb, path, headers, body, answer, stale);
    return failure;
}

}  // namespace webpost
