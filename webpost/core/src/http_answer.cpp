#include "http_answer.h"

#include <cctype>
#include <cstdlib>

namespace webpost {

namespace {

// Heads larger than this are no server's answer to a WebDAV request.
constexpr std::size_t kHeadLimit = 64 * 1024;

std::string Lower(std::string text) {
    for (char &c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Trimmed(const std::string &text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t' || text[end - 1] == '\r'))
        --end;
    return text.substr(begin, end - begin);
}

bool ParseDecimal(const std::string &text, unsigned long long &value) {
    if (text.empty() || text.size() > 18)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return true;
}

// A chunk's size line: hex digits, then optional extensions after ';'.
bool ParseChunkSize(const std::string &line, unsigned long long &value) {
    const std::string digits = Trimmed(line.substr(0, line.find(';')));
    if (digits.empty() || digits.size() > 15)
        return false;
    value = 0;
    for (char c : digits) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                          : (c >= 'a' && c <= 'f')                    ? c - 'a' + 10
                          : (c >= 'A' && c <= 'F')                    ? c - 'A' + 10
                                                                      : -1;
        if (digit < 0)
            return false;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return true;
}

// Whether a comma-separated header value lists `token` (any case).
bool ListsToken(const std::string &value, const std::string &token) {
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t comma = value.find(',', start);
        const std::string item = Lower(Trimmed(
            value.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (item == token)
            return true;
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return false;
}

}  // namespace

HttpAnswerReader::HttpAnswerReader(bool keepBody, std::size_t limit, bool headRequest)
    : keepBody_(keepBody), limit_(limit), headRequest_(headRequest) {}

std::optional<std::string> HttpAnswerReader::Header(const std::string &name) const {
    const std::string wanted = Lower(name);
    for (const auto &header : headers_)
        if (header.first == wanted)
            return header.second;
    return std::nullopt;
}

std::vector<std::string> HttpAnswerReader::Headers(const std::string &name) const {
    const std::string wanted = Lower(name);
    std::vector<std::string> values;
    for (const auto &header : headers_)
        if (header.first == wanted)
            values.push_back(header.second);
    return values;
}

bool HttpAnswerReader::KeepAlive() const {
    if (state_ != State::Done)
        return false;
    for (const std::string &value : Headers("Connection")) {
        if (ListsToken(value, "close"))
            return false;
        if (ListsToken(value, "keep-alive"))
            return true;
    }
    return minorVersion_ >= 1 && !closeFramed_;
}

bool HttpAnswerReader::TakeLine(const char *data, std::size_t size, std::size_t &used,
                                std::string &line) {
    while (used < size) {
        const char c = data[used++];
        if (c == '\n') {
            if (!line_.empty() && line_.back() == '\r')
                line_.pop_back();
            line = std::move(line_);
            line_.clear();
            return true;
        }
        line_ += c;
        if (line_.size() > kHeadLimit) {
            state_ = State::Bad;
            return false;
        }
    }
    return false;
}

// The status line and headers, in `line_`-separated lines gathered in head_.
bool HttpAnswerReader::ParseHead() {
    std::size_t pos = 0;
    auto next = [&](std::string &line) {
        const std::size_t end = head_.find('\n', pos);
        if (end == std::string::npos)
            return false;
        line = head_.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        pos = end + 1;
        return true;
    };
    std::string line;
    if (!next(line) || line.size() < 12 || line.compare(0, 7, "HTTP/1.") != 0 ||
        !std::isdigit(static_cast<unsigned char>(line[7])) || line[8] != ' ')
        return false;
    minorVersion_ = static_cast<unsigned>(line[7] - '0');
    unsigned long long status = 0;
    if (!ParseDecimal(line.substr(9, 3), status) || status < 100 ||
        (line.size() > 12 && line[12] != ' '))
        return false;
    status_ = static_cast<unsigned>(status);
    reason_ = line.size() > 13 ? line.substr(13) : std::string();
    headers_.clear();
    while (next(line) && !line.empty()) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos || colon == 0 || line[0] == ' ' || line[0] == '\t')
            return false;
        headers_.emplace_back(Lower(line.substr(0, colon)), Trimmed(line.substr(colon + 1)));
    }
    return true;
}

void HttpAnswerReader::BodyBytes(const char *data, std::size_t size) {
    if (!keepBody_ || status_ < 200 || status_ >= 300 || tooLarge_ || size == 0)
        return;
    if (body_.size() + size > limit_) {
        tooLarge_ = true;
        body_.clear();
        return;
    }
    body_.append(data, size);
}

std::size_t HttpAnswerReader::Feed(const char *data, std::size_t size) {
    std::size_t used = 0;
    std::string line;
    while (used < size && state_ != State::Done && state_ != State::Bad) {
        switch (state_) {
        case State::Head: {
            if (!TakeLine(data, size, used, line))
                break;
            head_ += line;
            head_ += '\n';
            if (head_.size() > kHeadLimit) {
                state_ = State::Bad;
                break;
            }
            if (!line.empty())
                break;
            if (head_ == "\n") {  // blank lines before an answer are tolerated
                head_.clear();
                break;
            }
            if (!ParseHead()) {
                state_ = State::Bad;
                break;
            }
            head_.clear();
            if (status_ < 200) {  // an interim answer (100 Continue): the real one follows
                continue;
            }
            const std::optional<std::string> encoding = Header("Transfer-Encoding");
            const std::optional<std::string> length = Header("Content-Length");
            if (headRequest_ || status_ == 204 || status_ == 304) {
                state_ = State::Done;
            } else if (encoding && Lower(*encoding) != "identity") {
                if (!ListsToken(*encoding, "chunked"))
                    state_ = State::UntilClose, closeFramed_ = true;
                else
                    state_ = State::ChunkSize;
            } else if (length) {
                if (!ParseDecimal(*length, left_))
                    state_ = State::Bad;
                else
                    state_ = left_ == 0 ? State::Done : State::Fixed;
            } else {
                state_ = State::UntilClose;
                closeFramed_ = true;
            }
            break;
        }
        case State::Fixed:
        case State::ChunkData: {
            std::size_t take = size - used;
            if (take > left_)
                take = static_cast<std::size_t>(left_);
            BodyBytes(data + used, take);
            used += take;
            left_ -= take;
            if (left_ == 0)
                state_ = state_ == State::Fixed ? State::Done : State::ChunkEnd;
            break;
        }
        case State::ChunkSize:
            if (!TakeLine(data, size, used, line))
                break;
            if (!ParseChunkSize(line, left_))
                state_ = State::Bad;
            else
                state_ = left_ == 0 ? State::Trailer : State::ChunkData;
            break;
        case State::ChunkEnd:
            if (!TakeLine(data, size, used, line))
                break;
            state_ = line.empty() ? State::ChunkSize : State::Bad;
            break;
        case State::Trailer:
            if (!TakeLine(data, size, used, line))
                break;
            if (line.empty())
                state_ = State::Done;
            break;
        case State::UntilClose:
            BodyBytes(data + used, size - used);
            used = size;
            break;
        default:
            break;
        }
    }
    return used;
}

void HttpAnswerReader::FeedEnd() {
    if (state_ == State::UntilClose)
        state_ = State::Done;
    else if (state_ != State::Done)
        state_ = State::Bad;
}

bool OffersBasicAuthentication(const std::vector<std::string> &challenges) {
    if (challenges.empty())
        return true;
    for (const std::string &challenge : challenges) {
        // Challenges are "Scheme params"; several may share one header,
        // separated by commas, as may the parameters: a scheme is a token
        // at the start or after a comma, not followed by '='.
        std::size_t start = 0;
        while (start < challenge.size()) {
            const std::size_t comma = challenge.find(',', start);
            std::string item = Trimmed(challenge.substr(
                start, comma == std::string::npos ? std::string::npos : comma - start));
            const std::size_t blank = item.find(' ');
            const std::string scheme = Lower(item.substr(0, blank));
            if (scheme == "basic" && (blank != std::string::npos || item.size() == 5))
                return true;
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
    }
    return false;
}

}  // namespace webpost
