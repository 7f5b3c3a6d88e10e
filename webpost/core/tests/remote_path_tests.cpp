// Server-side names: HTTP segments encoded, FTP names plain.
#include <gtest/gtest.h>

#include "remote_path.h"

namespace webpost_test {
namespace {

using namespace webpost;

struct PathCase {
    const char *base;
    const char *relative;
    const char *http;
    const char *ftp;
};

const PathCase kPaths[] = {
    {"/", "index.html", "/index.html", "/index.html"},
    {"/dav/site", "img/a.jpg", "/dav/site/img/a.jpg", "/dav/site/img/a.jpg"},
    {"/dav/site/", "a b/c#d?.html", "/dav/site/a%20b/c%23d%3F.html", "/dav/site/a b/c#d?.html"},
    {"/my%20site", "x%y", "/my%20site/x%25y", "/my site/x%y"},
    {"/dav", "", "/dav/", "/dav/"},
    {"/", "\xe9t\xe9.html", "/%E9t%E9.html", "/\xe9t\xe9.html"},
};

TEST(RemotePathTest, JoinsAndEncodesForEachProtocol) {
    for (const PathCase &c : kPaths) {
        SCOPED_TRACE(std::string(c.base) + " + " + c.relative);
        EXPECT_EQ(HttpPath(c.base, c.relative), c.http);
        EXPECT_EQ(FtpPath(c.base, c.relative), c.ftp);
    }
}

TEST(RemotePathTest, EncodesEverythingButUnreservedBytes) {
    EXPECT_EQ(PercentEncodeSegment("AZaz09-._~"), "AZaz09-._~");
    EXPECT_EQ(PercentEncodeSegment("/:@!$&'()*+,;="), "%2F%3A%40%21%24%26%27%28%29%2A%2B%2C%3B%3D");
}

// A destination's path as typed: what a URL path may hold stays, escapes
// included; the rest is encoded byte by byte.
TEST(RemotePathTest, EscapesWhatAUrlPathCannotHold) {
    const std::pair<const char *, const char *> cases[] = {
        {"/dav/site", "/dav/site"},
        {"/my%20site/%C3%A9", "/my%20site/%C3%A9"},
        {"/caf\xc3\xa9 site/", "/caf%C3%A9%20site/"},
        {"/a!$&'()*+,;=:@b~_-.", "/a!$&'()*+,;=:@b~_-."},
        {"/\"<>\\^`{|}", "/%22%3C%3E%5C%5E%60%7B%7C%7D"},
        {"/x\x7f\x01\xff", "/x%7F%01%FF"},
    };
    for (const auto &[path, escaped] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(EscapeUrlPath(path), escaped);
    }
}

}  // namespace
}  // namespace webpost_test
