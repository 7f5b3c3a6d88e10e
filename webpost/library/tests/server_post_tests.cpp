// Posting to real servers on loopback (started by with-servers): WebDAV over
// http and https, with and without Basic authentication, and FTP. Each site
// posted is compared byte for byte with what the server stored on disk.
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

TEST_F(ServerPostTest, WebDavOverHttpStoresTheNestedSiteIntact) {
    ServerAccount dav;
    const testsupport::ServerSettings servers = DavServer(dav);
    REQUIRE_PREREQUISITE(servers.Found(), servers.Missing());
    const std::string folder = Unique("nested");
    const PostAnswer answer = PostSource(dav.url + "/" + folder);
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    EXPECT_EQ(PostedTree(Join(dav.root, folder)), SampleSite());
    EXPECT_EQ(answer.url, dav.url + "/" + folder);
}

TEST_F(ServerPostTest, WebDavOverwritesAnExistingSite) {
    ServerAccount dav;
    const testsupport::ServerSettings servers = DavServer(dav);
    REQUIRE_PREREQUISITE(servers.Found(), servers.Missing());
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

TEST_F(ServerPostTest, BasicAuthenticationWithStoredOrGivenCredentials) {
    ServerAccount dav;
    const testsupport::ServerSettings servers = DavAccount(dav);
    REQUIRE_PREREQUISITE(servers.Found(), servers.Missing());
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

TEST_F(ServerPostTest, ServerFailuresGiveTheirCodesAndTexts) {
    std::string dav, small, refused, auth, user, password, davs, fingerprint;
    const testsupport::ServerSettings servers({{"WEBPOST_TEST_DAV_URL", &dav},
                                               {"WEBPOST_TEST_SMALL_URL", &small},
                                               {"WEBPOST_TEST_REFUSED_URL", &refused},
                                               {"WEBPOST_TEST_DAV_AUTH_URL", &auth},
                                               {"WEBPOST_TEST_DAV_USER", &user},
                                               {"WEBPOST_TEST_DAV_PASSWORD", &password},
                                               {"WEBPOST_TEST_DAVS_URL", &davs},
                                               {"WEBPOST_TEST_CERT_SHA256", &fingerprint}});
    REQUIRE_PREREQUISITE(servers.Found(), servers.Missing());
    const std::string wrongPin(64, '0');
    sites_.Store("wrong-password", auth + "/" + Unique("wrong"), "webdav", user, "",
                 testsupport::ProtectedPassword(password + "x"));
    sites_.Store("wrong-pin", davs + "/" + Unique("pin"), "webdav", "", wrongPin);
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
        {"refused connection", refused, "", kNotPosted, {"cannot be reached"}},
        {"authentication required",
         auth + "/" + Unique("anon"),
         "",
         kServerRefused,
         {"401", "user name and password"}},
        {"wrong password", "", "wrong-password", kServerRefused, {"401", "did not accept"}},
        {"certificate not trusted",
         davs + "/" + Unique("untrusted"),
         "",
         kNotPosted,
         {"certificate", "not trusted"}},
        {"another certificate pinned", "", "wrong-pin", kNotPosted, {"not trusted", fingerprint}},
    };
    ExpectFailures(cases);
}

TEST_F(ServerPostTest, FtpStoresTheNestedSiteAndOverwrites) {
    ServerAccount ftp;
    const testsupport::ServerSettings servers = FtpAccount(ftp);
    REQUIRE_PREREQUISITE(servers.Found(), servers.Missing());
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

TEST_F(ServerPostTest, WebDavRepublishSendsOnlyWhatChangedPagesLast) {
    ServerAccount dav;
    const testsupport::ServerSettings servers = DavServer(dav);
    REQUIRE_PREREQUISITE(servers.Found(), servers.Missing());
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

TEST_F(ServerPostTest, FtpRepublishSendsOnlyWhatChangedPagesLast) {
    ServerAccount ftp;
    const testsupport::ServerSettings servers = FtpAccount(ftp);
    REQUIRE_PREREQUISITE(servers.Found(), servers.Missing());
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

TEST_F(ServerPostTest, FtpFailuresGiveTheServersReply) {
    ServerAccount ftp;
    const testsupport::ServerSettings servers = FtpAccount(ftp);
    REQUIRE_PREREQUISITE(servers.Found(), servers.Missing());
    const std::string host = ftp.url.substr(6, ftp.url.find('/', 6) - 6);
    const std::vector<FailureCase> cases = {
        {"wrong password",
         "ftp://" + ftp.user + ":nope@" + host + "/x",
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
