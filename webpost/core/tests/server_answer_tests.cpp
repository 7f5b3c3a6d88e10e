// How server answers map to result codes, causes and retries.
#include <gtest/gtest.h>

#include "server_answer.h"

namespace webpost_test {
namespace {

using namespace webpost;

struct StatusCase {
    DavRequest request;
    unsigned status;
    const char *reason;
    bool fails;
    bool transient;
    const char *causeMentions;
};

const StatusCase kStatuses[] = {
    {DavRequest::PutFile, 201, "Created", false, false, ""},
    {DavRequest::PutFile, 204, "No Content", false, false, ""},
    {DavRequest::MakeFolder, 201, "Created", false, false, ""},
    {DavRequest::MakeFolder, 405, "Not Allowed", false, false, ""},
    {DavRequest::PutFile, 405, "Not Allowed", true, false, "PUT /s/a.html: 405 Not Allowed"},
    {DavRequest::PutFile, 409, "Conflict", true, false, "does not exist"},
    {DavRequest::MakeFolder, 409, "Conflict", true, false, "MKCOL /s/a.html: 409 Conflict"},
    {DavRequest::PutFile, 413, "Request Entity Too Large", true, false, "file this large"},
    {DavRequest::PutFile, 401, "Unauthorized", true, false, "user name and password"},
    {DavRequest::PutFile, 403, "Forbidden", true, false, "does not allow"},
    {DavRequest::PutFile, 500, "Internal Server Error", true, false, "500 Internal"},
    {DavRequest::PutFile, 503, "Service Unavailable", true, true, "503"},
    {DavRequest::PutFile, 502, "", true, true, ": 502"},
    {DavRequest::PutFile, 301, "Moved Permanently", true, false, "301"},
};

TEST(ServerAnswerTest, DavStatusesMapToServerRefusals) {
    for (const StatusCase &c : kStatuses) {
        SCOPED_TRACE(std::to_string(c.status));
        std::optional<Failure> failure =
            DavStatusFailure(c.request, c.status, c.reason, "/s/a.html");
        ASSERT_EQ(failure.has_value(), c.fails);
        if (!failure)
            continue;
        EXPECT_EQ(failure->code, result::kExtendedError);
        EXPECT_EQ(failure->transient, c.transient);
        EXPECT_NE(failure->cause.find(c.causeMentions), std::string::npos) << failure->cause;
    }
}

// FEAT replies as servers send them: the UTF8 feature is a line of its own
// that starts with a blank; the word elsewhere does not count.
TEST(ServerAnswerTest, FtpFeatureListsOfferUtf8OrNot) {
    const std::pair<const char *, bool> cases[] = {
        {"211-Features supported:\r\n EPRT\r\n MLST type*;size*;\r\n UTF8\r\n211 End FEAT.\r\n",
         true},
        {"211-Features:\r\n UTF8\r\n EPSV\r\n PASV\r\n211 End\r\n", true},
        {"211-Extensions supported:\n utf8 \n211 END\n", true},
        {"211-Features:\r\n EPSV\r\n MDTM\r\n211 End\r\n", false},
        {"211-UTF8 names? no\r\n SIZE\r\n211 UTF8\r\n", false},
        {"211 No features\r\n", false},
        {" UTF8-ish\r\n LANG EN;UTF8\r\n", false},
        {"", false},
    };
    for (const auto &[reply, offered] : cases) {
        SCOPED_TRACE(reply);
        EXPECT_EQ(FtpFeaturesListUtf8(reply), offered);
    }
}

TEST(ServerAnswerTest, FtpTransientRepliesAreTheFourHundreds) {
    EXPECT_TRUE(FtpReplyFailure("STOR", "/a", "421 Too many users").transient);
    const Failure lasting = FtpReplyFailure("MKD", "/a/b", "550 No such directory");
    EXPECT_FALSE(lasting.transient);
    EXPECT_EQ(lasting.code, result::kExtendedError);
    EXPECT_EQ(lasting.cause, "MKD /a/b: 550 No such directory");
    EXPECT_NE(FtpReplyFailure("STOR", "/a", "").cause.find("no reply"), std::string::npos);
}

struct LinkCase {
    LinkProblem problem;
    bool transient;
    const char *causeMentions;
};

const LinkCase kLinks[] = {
    {LinkProblem::CannotConnect, false, "cannot be reached"},
    {LinkProblem::ConnectionLost, true, "was lost"},
    {LinkProblem::TimedOut, true, "in time"},
    {LinkProblem::CertificateNotTrusted, false, "certificate"},
    {LinkProblem::SecureChannel, false, "certificate is not trusted"},
    {LinkProblem::Other, false, "failed"},
};

TEST(ServerAnswerTest, LinkFailuresNameTheServer) {
    for (const LinkCase &c : kLinks) {
        const Failure failure = LinkFailure(c.problem, "127.0.0.1:8080", "(error 12029)");
        EXPECT_EQ(failure.code, result::kPostFiles);
        EXPECT_EQ(failure.transient, c.transient);
        EXPECT_NE(failure.cause.find(c.causeMentions), std::string::npos) << failure.cause;
        EXPECT_NE(failure.cause.find("127.0.0.1:8080"), std::string::npos) << failure.cause;
        EXPECT_NE(failure.cause.find("(error 12029)"), std::string::npos) << failure.cause;
    }
}

}  // namespace
}  // namespace webpost_test
