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

}  // namespace
}  // namespace webpost_test
