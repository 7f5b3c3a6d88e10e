// HTTP/1.1 answers read in pieces: where each ends, what it says, whether
// the connection may go on, and which 401s offer Basic authentication.
#include <gtest/gtest.h>

#include "http_answer.h"

namespace webpost_test {
namespace {

using namespace webpost;

struct AnswerCase {
    const char *name;
    std::string wire;  // what the server sends, possibly followed by the next answer
    bool keepBody;
    std::size_t limit;
    bool headRequest;
    bool closed;  // the server closes the connection after `wire`
    bool complete;
    bool malformed;
    unsigned status;
    const char *reason;
    std::string body;
    bool tooLarge;
    bool keepAlive;
    std::size_t trailing;  // bytes at the end of `wire` that are not the answer's
};

// The next answer on a kept-alive connection, which is not the reader's.
const std::string kNext = "HTTP/1.1 201 Created\r\nContent-Length: 0\r\n\r\n";
const std::string kCreated = "HTTP/1.1 201 Created\r\nContent-Length: 0\r\n\r\n";
const std::string kChunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                             "5;ext=1\r\nhello\r\nA\r\n, 10 bytes\r\n0\r\nX-Trailer: t\r\n\r\n";
const std::string kFixed = "HTTP/1.1 200 OK\r\ncontent-length: 5\r\n\r\nhello";

const AnswerCase kAnswers[] = {
    {"created", kCreated, false, 0, false, false, true, false, 201, "Created", "", false, true, 0},
    {"pipelined rest left", kCreated + kNext, false, 0, false, false, true, false, 201, "Created",
     "", false, true, kNext.size()},
    {"fixed body kept", kFixed + kNext, true, 100, false, false, true, false, 200, "OK", "hello",
     false, true, kNext.size()},
    {"fixed body beyond limit", kFixed, true, 4, false, false, true, false, 200, "OK", "", true,
     true, 0},
    {"fixed body not wanted", kFixed, false, 0, false, false, true, false, 200, "OK", "", false,
     true, 0},
    {"error body dropped", "HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nno!", true, 100,
     false, false, true, false, 404, "Not Found", "", false, true, 0},
    {"chunked with extension and trailer", kChunked + kNext, true, 100, false, false, true, false,
     200, "OK", "hello, 10 bytes", false, true, kNext.size()},
    {"chunked beyond limit", kChunked, true, 10, false, false, true, false, 200, "OK", "", true,
     true, 0},
    {"chunked cut off", kChunked.substr(0, 60), true, 100, false, true, false, true, 200, "OK",
     "hell", false, false, 0},
    {"fixed cut off", kFixed.substr(0, kFixed.size() - 2), true, 100, false, true, false, true, 200,
     "OK", "hel", false, false, 0},
    {"body until close", "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nall of it", true, 100, false,
     true, true, false, 200, "OK", "all of it", false, false, 0},
    {"close asked", "HTTP/1.1 201 Created\r\nConnection: close\r\nContent-Length: 0\r\n\r\n", false,
     0, false, false, true, false, 201, "Created", "", false, false, 0},
    {"HTTP/1.0 closes", "HTTP/1.0 201 Created\r\nContent-Length: 0\r\n\r\n", false, 0, false, false,
     true, false, 201, "Created", "", false, false, 0},
    {"HTTP/1.0 keep-alive",
     "HTTP/1.0 201 Created\r\nConnection: Keep-Alive\r\nContent-Length: 0\r\n\r\n", false, 0, false,
     false, true, false, 201, "Created", "", false, true, 0},
    {"no content has no body", "HTTP/1.1 204 No Content\r\n\r\n" + kNext, false, 0, false, false,
     true, false, 204, "No Content", "", false, true, kNext.size()},
    {"head request", "HTTP/1.1 200 OK\r\nContent-Length: 99\r\n\r\n", true, 100, true, false, true,
     false, 200, "OK", "", false, true, 0},
    {"interim answer skipped", "HTTP/1.1 100 Continue\r\n\r\n" + kCreated, false, 0, false, false,
     true, false, 201, "Created", "", false, true, 0},
    {"bare line ends", "HTTP/1.1 405 Not Allowed\nContent-Length: 2\n\nno", false, 0, false, false,
     true, false, 405, "Not Allowed", "", false, true, 0},
    {"reason empty", "HTTP/1.1 502\r\nContent-Length: 0\r\n\r\n", false, 0, false, false, true,
     false, 502, "", "", false, true, 0},
    {"not HTTP", "SSH-2.0-server\r\n\r\n", false, 0, false, false, false, true, 0, "", "", false,
     false, 0},
    {"status not a number", "HTTP/1.1 2x1 Created\r\n\r\n", false, 0, false, false, false, true, 0,
     "", "", false, false, 0},
    {"length not a number", "HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n", false, 0, false, false,
     false, true, 200, "OK", "", false, false, 0},
    {"chunk size not hex", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", true, 100,
     false, false, false, true, 200, "OK", "", false, false, 0},
    {"head cut off", "HTTP/1.1 201 Created\r\nContent-Le", false, 0, false, true, false, true, 0,
     "", "", false, false, 0},
};

// Every answer fed whole, and again a byte at a time: the outcome is the same.
TEST(HttpAnswerTest, AnswersAreFramedAndRead) {
    for (const AnswerCase &c : kAnswers) {
        for (std::size_t piece : {c.wire.size(), std::size_t{1}, std::size_t{7}}) {
            SCOPED_TRACE(std::string(c.name) + ", pieces of " + std::to_string(piece));
            HttpAnswerReader reader(c.keepBody, c.limit, c.headRequest);
            std::size_t consumed = 0;
            for (std::size_t at = 0;
                 at < c.wire.size() && !reader.Complete() && !reader.Malformed(); at += piece) {
                const std::size_t size = std::min(piece, c.wire.size() - at);
                const std::size_t used = reader.Feed(c.wire.data() + at, size);
                consumed += used;
                if (used < size)
                    break;
            }
            if (c.closed)
                reader.FeedEnd();
            EXPECT_EQ(reader.Complete(), c.complete);
            EXPECT_EQ(reader.Malformed(), c.malformed);
            EXPECT_EQ(reader.Status(), c.status);
            EXPECT_EQ(reader.Reason(), c.reason);
            EXPECT_EQ(reader.Body(), c.body);
            EXPECT_EQ(reader.BodyTooLarge(), c.tooLarge);
            EXPECT_EQ(reader.KeepAlive(), c.keepAlive);
            if (!c.malformed) {
                EXPECT_EQ(consumed, c.wire.size() - c.trailing);
            }
        }
    }
}

TEST(HttpAnswerTest, HeadersAreFoundInAnyCase) {
    const std::string wire =
        "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Digest realm=\"a\"\r\n"
        "www-authenticate:   Basic realm=\"dav\"  \r\nContent-Length: 0\r\n\r\n";
    HttpAnswerReader reader;
    ASSERT_EQ(reader.Feed(wire.data(), wire.size()), wire.size());
    ASSERT_TRUE(reader.Complete());
    EXPECT_EQ(reader.Header("content-LENGTH"), std::optional<std::string>("0"));
    EXPECT_EQ(reader.Header("Location"), std::nullopt);
    const std::vector<std::string> expected = {"Digest realm=\"a\"", "Basic realm=\"dav\""};
    EXPECT_EQ(reader.Headers("WWW-Authenticate"), expected);
}

TEST(HttpAnswerTest, ChallengesOfferBasicOrNot) {
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{"Basic realm=\"dav\""}, true},
        {{"basic realm=\"dav\", charset=\"UTF-8\""}, true},
        {{"Digest realm=\"a\", nonce=\"n\", Basic realm=\"b\""}, true},
        {{"Digest realm=\"a\"", "Basic realm=\"b\""}, true},
        {{"Basic"}, true},
        {{}, true},
        {{"Digest realm=\"Basic\", nonce=\"n\""}, false},
        {{"Negotiate"}, false},
        {{"Bearer realm=\"basic x\""}, false},
        {{"BasicX realm=\"a\""}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first.empty() ? std::string("(none)") : c.first.front());
        EXPECT_EQ(OffersBasicAuthentication(c.first), c.second);
    }
}

}  // namespace
}  // namespace webpost_test
