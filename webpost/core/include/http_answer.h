#pragma once
// An HTTP/1.1 server's answer read as it arrives, in pieces of any size: the
// status line, the headers, and the body framed by Content-Length, by chunks,
// or by the end of the connection. The WebDAV transport on plain sockets
// feeds it what each recv gives and learns when the answer is complete and
// whether the connection may carry the next request. No platform headers.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace webpost {

class HttpAnswerReader {
public:
    // `keepBody`: the body of a 2xx answer is kept, up to `limit` bytes
    // (beyond that it is read and dropped, and BodyTooLarge() says so);
    // other bodies are always read and dropped. `headRequest`: no body
    // follows, whatever the headers say.
    explicit HttpAnswerReader(bool keepBody = false, std::size_t limit = 0,
                              bool headRequest = false);

    // Takes bytes of the connection; returns how many belong to this answer
    // (the rest, if any, is not ours). Stops at the answer's end or at the
    // first malformed byte.
    std::size_t Feed(const char *data, std::size_t size);
    // The server closed the connection: completes an answer framed by it.
    void FeedEnd();

    bool Complete() const { return state_ == State::Done; }
    bool Malformed() const { return state_ == State::Bad; }

    unsigned Status() const { return status_; }
    const std::string &Reason() const { return reason_; }
    // The first header of this name (any case), without surrounding blanks.
    std::optional<std::string> Header(const std::string &name) const;
    // Every header of this name, in order.
    std::vector<std::string> Headers(const std::string &name) const;
    // Whether the connection may carry another request after this answer.
    bool KeepAlive() const;
    const std::string &Body() const { return body_; }
    bool BodyTooLarge() const { return tooLarge_; }

private:
    enum class State {
        Head,
        Fixed,
        ChunkSize,
        ChunkData,
        ChunkEnd,
        Trailer,
        UntilClose,
        Done,
        Bad
    };
    bool ParseHead();
    void BodyBytes(const char *data, std::size_t size);
    bool TakeLine(const char *data, std::size_t size, std::size_t &used, std::string &line);

    bool keepBody_;
    std::size_t limit_;
    bool headRequest_;
    State state_ = State::Head;
    std::string line_;          // a line not yet complete
    std::string head_;          // the status line and headers so far
    bool closeFramed_ = false;  // the body ends when the server closes
    unsigned status_ = 0;
    unsigned minorVersion_ = 1;
    std::string reason_;
    std::vector<std::pair<std::string, std::string>> headers_;
    unsigned long long left_ = 0;  // bytes of the body or chunk still due
    std::string body_;
    bool tooLarge_ = false;
};

// Whether the WWW-Authenticate headers of a 401 offer the Basic scheme
// (among others, in any case); a 401 without any also counts, as servers
// of old sent none.
bool OffersBasicAuthentication(const std::vector<std::string> &challenges);

}  // namespace webpost
