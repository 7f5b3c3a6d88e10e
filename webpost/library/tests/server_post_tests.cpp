// Posting to real servers on loopback (started by with-servers): WebDAV over
// http and https, with and without Basic authentication, on nginx and Apache,
// and FTP on pyftpdlib and vsftpd. Each site posted is compared byte for byte
// with what the server stored on disk.
#include <gtest/gtest.h>

#include <wpapi.h>
#include <wpapimsg.h>

#include "prerequisite.h"
#include "republish_checks.h"
#include "server_env.h"
#include "temp_tree.h"
#include "webpost_fixture.h"

namespace webpost_test {
namespace {

using namespace testsupport;

const DWORD kServerRefused = static_cast<DWORD>(WEBPOST_ERROR_EXTENDED_ERROR);
const DWORD kNotPosted = static_cast<DWORD>(WEBPOST_ERROR_POST_FILES);

std::string Join(const std::string &root, const std::string &child) {
    return root + "\\" + child;
}

struct FailureCase {
    const char *name;
    std::string url;
    std::string site;  // stored before the post when not empty
    DWORD code;
    std::vector<std::string> textMentions;
};

class ServerPostTest : public WebPostTest {
protected:
    void SetUp() override {
        WebPostTest::SetUp();
        WriteTree(source_, "", SampleSite());
    }

    // Each case's post fails with its code, and its text mentions each of
    // the case's words.
    void ExpectFailures(const std::vector<FailureCase> &cases) {
        for (const FailureCase &c : cases) {
            SCOPED_TRACE(c.name);
            const PostAnswer answer = PostSource(c.url, c.site);
            EXPECT_EQ(answer.code, c.code) << std::hex << answer.code << " " << answer.errorText;
            for (const std::string &words : c.textMentions)
                EXPECT_NE(answer.errorText.find(words), std::string::npos)
                    << "\"" << words << "\" not in: " << answer.errorText;
        }
    }

    // A folder name of its own for each test, on every server.
    static std::string Unique(const std::string &tag) {
        return tag + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
               std::to_string(::GetTickCount());
    }
};

// The cases that hold on every server of a kind run on each: WebDAV on nginx
// and Apache, FTP on pyftpdlib and vsftpd. What only one server is set up for
// (https with a certificate, a refused port) stays with it.
class EachServerTest : public ServerPostTest, public ::testing::WithParamInterface<NamedServer> {
protected:
    // The parameter's server, or false with it reported missing.
    bool Server(ServerAccount &account) {
        const testsupport::ServerSettings servers = GetParam().find(account);
        [&servers] { REQUIRE_PREREQUISITE(servers.Found(), servers.Missing()); }();
        return servers.Found();
    }
};

std::string ServerName(const ::testing::TestParamInfo<NamedServer> &info) {
    return info.param.name;
}

using OpenDavTest = EachServerTest;
using DavAccountTest = EachServerTest;
using FtpTest = EachServerTest;
INSTANTIATE_TEST_SUITE_P(Each, OpenDavTest, ::testing::ValuesIn(kOpenDavServers), ServerName);
INSTANTIATE_TEST_SUITE_P(Each, DavAccountTest, ::testing::ValuesIn(kDavAccounts), ServerName);
INSTANTIATE_TEST_SUITE_P(Each, FtpTest, ::testing::ValuesIn(kFtpServers), ServerName);

TEST_P(OpenDavTest, StoresTheNestedSiteIntact) {
    ServerAccount dav;
    if (!Server(dav))
        return;
    const std::string folder = Unique("nested");
    const PostAnswer answer = PostSource(dav.url + "/" + folder);
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    EXPECT_EQ(PostedTree(Join(dav.root, folder)), SampleSite());
    EXPECT_EQ(answer.url, dav.url + "/" + folder);
}

TEST_P(OpenDavTest, OverwritesAnExistingSite) {
    ServerAccount dav;
    if (!Server(dav))
        return;
    const std::string folder = Unique("again");
    ASSERT_EQ(PostSource(dav.url + "/" + folder).code, 0u);
    source_.Write("index.html", "second edition");
    source_.Write("pics/large.jpg", PatternBytes(1234, 9));
    const PostAnswer answer = PostSource(dav.url + "/" + folder);
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    std::map<std::string, std::string> expected = SampleSite();
    expected["index.html"] = "second edition";
    expected["pics/large.jpg"] = PatternBytes(1234, 9);
    EXPECT_EQ(PostedTree(Join(dav.root, folder)), expected);
}

TEST_P(DavAccountTest, BasicAuthenticationWithStoredOrGivenCredentials) {
    ServerAccount dav;
    if (!Server(dav))
        return;
    {
        SCOPED_TRACE("stored site, password kept protected");
        const std::string site = "dav-auth";
        const std::string folder = Unique("stored");
        sites_.Store(site, dav.url + "/" + folder, "webdav", dav.user, "",
                     testsupport::ProtectedPassword(dav.password));
        const PostAnswer answer = PostSource("", site);
        ASSERT_EQ(answer.code, 0u) << answer.errorText;
        EXPECT_EQ(PostedTree(Join(dav.root, "site\\" + folder)), SampleSite());
        EXPECT_EQ(answer.siteName, site);
    }
    {
        SCOPED_TRACE("user and password in the URL; the password is not written back");
        const std::string folder = Unique("inurl");
        const std::string withPassword = dav.url.substr(0, 7) + dav.user + ":" + dav.password +
                                         "@" + dav.url.substr(7) + "/" + folder;
        const PostAnswer answer = PostSource(withPassword);
        ASSERT_EQ(answer.code, 0u) << answer.errorText;
        EXPECT_EQ(PostedTree(Join(dav.root, "site\\" + folder)), SampleSite());
        EXPECT_EQ(answer.url,
                  dav.url.substr(0, 7) + dav.user + "@" + dav.url.substr(7) + "/" + folder);
    }
}

TEST_F(ServerPostTest, HttpsWithATrustedFingerprintStoresTheSite) {
    std::string url, root, fingerprint;
    const testsupport::ServerSettings servers({{"WEBPOST_TEST_DAVS_URL", &url},
                                               {"WEBPOST_TEST_DAVS_ROOT", &root},
                                               {"WEBPOST_TEST_CERT_SHA256", &fingerprint}});
    REQUIRE_PREREQUISITE(servers.Found(), servers.Missing());
    const std::string site = "davs";
    const std::string folder = Unique("tls");
    sites_.Store(site, url + "/" + folder, "webdav", "", fingerprint);
    const PostAnswer answer = PostSource("", site);
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    EXPECT_EQ(PostedTree(Join(root, "site\\" + folder)), SampleSite());
}

// The refusals both WebDAV servers are set up for: the same codes and texts
// from either.
struct DavRefusalServer {
    const char *name;
    const char *open;   // variable of the open folder's URL
    const char *small;  // ... of the folder with a 1 KB body limit
    const char *auth;   // ... of the folder behind Basic authentication
    const char *user;
    const char *password;
};
std::ostream &operator<<(std::ostream &out, const DavRefusalServer &server) {
    return out << server.name;
}

class DavRefusalTest : public ServerPostTest,
                       public ::testing::WithParamInterface<DavRefusalServer> {};

const DavRefusalServer kDavRefusalServers[] = {
    {"nginx", "WEBPOST_TEST_DAV_URL", "WEBPOST_TEST_SMALL_URL", "WEBPOST_TEST_DAV_AUTH_URL",
     "WEBPOST_TEST_DAV_USER", "WEBPOST_TEST_DAV_PASSWORD"},
    {"Apache", "WEBPOST_TEST_APACHE_URL", "WEBPOST_TEST_APACHE_SMALL_URL",
     "WEBPOST_TEST_APACHE_AUTH_URL", "WEBPOST_TEST_APACHE_USER", "WEBPOST_TEST_APACHE_PASSWORD"},
};
INSTANTIATE_TEST_SUITE_P(Each, DavRefusalTest, ::testing::ValuesIn(kDavRefusalServers),
                         [](const ::testing::TestParamInfo<DavRefusalServer> &info) {
                             return std::string(info.param.name);
                         });

TEST_P(DavRefusalTest, ServerRefusalsGiveTheirCodesAndTexts) {
    std::string dav, small, auth, user, password;
    const DavRefusalServer &server = GetParam();
    const testsupport::ServerSettings servers({{server.open, &dav},
                                               {server.small, &small},
                                               {server.auth, &auth},
                                               {server.user, &user},
                                               {server.password, &password}});
    REQUIRE_PREREQUISITE(servers.Found(), servers.Missing());
    sites_.Store("wrong-password", auth + "/" + Unique("wrong"), "webdav", user, "",
                 testsupport::ProtectedPassword(password + "x"));
    const std::vector<FailureCase> cases = {
        {"missing parent",
         dav + "/absent/" + Unique("site"),
         "",
         kServerRefused,
         {"MKCOL", "409", "does not exist"}},
        {"too large",
         small + "/" + Unique("site"),
         "",
         kServerRefused,
         {"PUT", "413", "large.jpg", "this large"}},
        {"authentication required",
         auth + "/" + Unique("anon"),
         "",
         kServerRefused,
         {"401", "user name and password"}},
        {"wrong password", "", "wrong-password", kServerRefused, {"401", "did not accept"}},
    };
    ExpectFailures(cases);
}

// What only nginx is set up for: a port nobody listens on beside it, and
// https with a self-signed certificate.
TEST_F(ServerPostTest, LinkFailuresGiveTheirCodesAndTexts) {
    std::string refused, davs, fingerprint;
    const testsupport::ServerSettings servers({{"WEBPOST_TEST_REFUSED_URL", &refused},
                                               {"WEBPOST_TEST_DAVS_URL", &davs},
                                               {"WEBPOST_TEST_CERT_SHA256", &fingerprint}});
    REQUIRE_PREREQUISITE(servers.Found(), servers.Missing());
    const std::string wrongPin(64, '0');
    sites_.Store("wrong-pin", davs + "/" + Unique("pin"), "webdav", "", wrongPin);
    const std::vector<FailureCase> cases = {
        {"refused connection", refused, "", kNotPosted, {"cannot be reached"}},
        {"certificate not trusted",
         davs + "/" + Unique("untrusted"),
         "",
         kNotPosted,
         {"certificate", "not trusted"}},
        {"another certificate pinned", "", "wrong-pin", kNotPosted, {"not trusted", fingerprint}},
    };
    ExpectFailures(cases);
}

TEST_P(FtpTest, StoresTheNestedSiteAndOverwrites) {
    ServerAccount ftp;
    if (!Server(ftp))
        return;
    const std::string site = "ftp";
    const std::string folder = Unique("ftp");
    sites_.Store(site, ftp.url + "-" + folder, "ftp", ftp.user, "",
                 testsupport::ProtectedPassword(ftp.password));
    PostAnswer answer = PostSource("", site);
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    EXPECT_EQ(PostedTree(Join(ftp.root, "site-" + folder)), SampleSite());

    source_.Write("pics/large.jpg", PatternBytes(99999, 4));
    answer = PostSource("", site);
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    std::map<std::string, std::string> expected = SampleSite();
    expected["pics/large.jpg"] = PatternBytes(99999, 4);
    EXPECT_EQ(PostedTree(Join(ftp.root, "site-" + folder)), expected);
}

TEST_P(OpenDavTest, ARepublishSendsOnlyWhatChangedPagesLast) {
    ServerAccount dav;
    if (!Server(dav))
        return;
    const DestinationMaker fresh = [&](const std::string &tag) {
        const std::string folder = Unique(tag);
        return testsupport::Destination{dav.url + "/" + folder, Join(dav.root, folder)};
    };
    {
        SCOPED_TRACE("re-publish");
        ExpectOnlyChangesResent(library_, sites_, source_, "webdav", fresh);
    }
    {
        SCOPED_TRACE("a failure half-way");
        ExpectPagesLastAfterAFailure(library_, source_, fresh);
    }
}

TEST_P(FtpTest, ARepublishSendsOnlyWhatChangedPagesLast) {
    ServerAccount ftp;
    if (!Server(ftp))
        return;
    const DestinationMaker fresh = [&](const std::string &tag) {
        const std::string folder = Unique(tag);
        return testsupport::Destination{"ftp://" + ftp.user + ":" + ftp.password + "@" +
                                            ftp.url.substr(6) + "-" + folder,
                                        Join(ftp.root, "site-" + folder)};
    };
    {
        SCOPED_TRACE("re-publish");
        ExpectOnlyChangesResent(library_, sites_, source_, "ftp", fresh);
    }
    {
        SCOPED_TRACE("a failure half-way");
        ExpectPagesLastAfterAFailure(library_, source_, fresh);
    }
}

// A file the server will not put under its final name (a folder of that
// name came in its way after a first post): the post fails naming it, the
// files before it are in place, and no partial file is left.
TEST_P(FtpTest, AFileThatCannotBeRenamedLeavesNoPartialFile) {
    ServerAccount ftp;
    if (!Server(ftp))
        return;
    const std::string folder = Unique("blocked");
    const std::string url =
        "ftp://" + ftp.user + ":" + ftp.password + "@" + ftp.url.substr(6) + "-" + folder;
    ASSERT_EQ(PostSource(url).code, 0u);
    const std::string landed = Join(ftp.root, "site-" + folder);
    ASSERT_TRUE(::DeleteFileA(Join(landed, "index.html").c_str()));
    ASSERT_TRUE(::CreateDirectoryA(Join(landed, "index.html").c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA(Join(landed, "index.html\\keep").c_str(), nullptr));
    source_.Write("empty.txt", "not empty now");
    // Changed, so that the post sends it again.
    source_.Write("index.html", "<html>second edition</html>\n");
    const PostAnswer answer = PostSource(url);
    EXPECT_EQ(answer.code, kServerRefused) << answer.errorText;
    EXPECT_NE(answer.errorText.find("index.html"), std::string::npos) << answer.errorText;
    const std::map<std::string, std::string> tree = ReadTree(landed);
    for (const auto &entry : tree)
        EXPECT_EQ(entry.first.find(".tmp"), std::string::npos) << entry.first;
    // Pages go last: empty.txt came before index.html.
    EXPECT_EQ(tree.at("empty.txt"), "not empty now");
    EXPECT_EQ(tree.count("index.html/keep/"), 1u);
}

// vsftpd lets only anonymous in: any other user is refused with 530 whatever
// the password, which is the refusal this case wants.
TEST_P(FtpTest, FailuresGiveTheServersReply) {
    ServerAccount ftp;
    if (!Server(ftp))
        return;
    const std::string host = ftp.url.substr(6, ftp.url.find('/', 6) - 6);
    const std::vector<FailureCase> cases = {
        {"wrong password",
         "ftp://bob:nope@" + host + "/x",
         "",
         kServerRefused,
         {"530", "did not accept"}},
        {"missing parent",
         "ftp://" + ftp.user + ":" + ftp.password + "@" + host + "/absent/" + Unique("s"),
         "",
         kServerRefused,
         {"MKD", "550"}},
    };
    ExpectFailures(cases);
}

}  // namespace
}  // namespace webpost_test
