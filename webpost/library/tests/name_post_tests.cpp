// Names outside ASCII on every server: a site whose names hold characters of
// each range of code page 1252 above ASCII (and one outside it), posted to a
// destination whose URL holds one too. Each name arrives as the UTF-8 of the
// same characters: on the server's disk, and for WebDAV also under its UTF-8
// URL, as a browser asks for it. A server that does not take UTF-8 gets the
// names in the system code page.
#include <gtest/gtest.h>

#include "http_get.h"
#include "platform/code_page.h"
#include "prerequisite.h"
#include "server_env.h"
#include "temp_tree.h"
#include "webpost_fixture.h"

namespace webpost_test {
namespace {

using namespace testsupport;

// A destination folder as the caller writes it, in the system code page
// ("s\xe9jour" is "séjour" in code page 1252), and as it lands (UTF-8).
const char kFolderInCodePage[] = "-s\xe9jour";
const char kFolderInUtf8[] = "-s\xc3\xa9jour";

// Each segment percent-encoded, every byte but RFC 3986's unreserved ones.
std::string UrlPath(const std::string &utf8) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (char ch : utf8) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

struct NameServer {
    const char *name;
    ServerSettings (*find)(ServerAccount &account);
    bool webDav;
};
std::ostream &operator<<(std::ostream &out, const NameServer &server) {
    return out << server.name;
}

const NameServer kNameServers[] = {
    {"nginx", DavServer, true},
    {"Apache", ApacheServer, true},
    {"pyftpdlib", FtpAccount, false},
    {"vsftpd", VsftpdAccount, false},
};

class NamePostTest : public WebPostTest, public ::testing::WithParamInterface<NameServer> {
protected:
    void SetUp() override {
        WebPostTest::SetUp();
        WriteTree(source_, "", NamesSite());
    }
};

INSTANTIATE_TEST_SUITE_P(Each, NamePostTest, ::testing::ValuesIn(kNameServers),
                         [](const ::testing::TestParamInfo<NameServer> &info) {
                             return std::string(info.param.name);
                         });

TEST_P(NamePostTest, NamesArriveAsUtf8) {
    REQUIRE_PREREQUISITE(::GetACP() == 1252, "the prefix's code page is " +
                                                 std::to_string(::GetACP()) +
                                                 ", the names are chosen from 1252");
    ServerAccount server;
    const ServerSettings servers = GetParam().find(server);
    REQUIRE_PREREQUISITE(servers.Found(), servers.Missing());
    const std::string tag =
        "names-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(::GetTickCount());
    std::string url, landed;
    if (GetParam().webDav) {
        url = server.url + "/" + tag + kFolderInCodePage;
        landed = server.root + "\\" + tag + kFolderInUtf8;
    } else {
        url = "ftp://" + server.user + ":" + server.password + "@" + server.url.substr(6) + "-" +
              tag + kFolderInCodePage;
        landed = server.root + "\\site-" + tag + kFolderInUtf8;
    }
    const PostAnswer answer = PostSource(url);
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    EXPECT_EQ(PostedTree(landed), NamesSite());
    // The site's memory names them in UTF-8 too.
    for (const auto &[name, bytes] : NamesSite()) {
        if (name.back() != '/') {
            EXPECT_EQ(MemoryLines(landed, name),
                      "F " + std::to_string(bytes.size()) + " " + Sha256Hex(bytes) + " " + name);
        }
    }
    if (!GetParam().webDav)
        return;
    for (const auto &[name, bytes] : NamesSite()) {
        if (name.back() == '/')
            continue;
        SCOPED_TRACE(name);
        const HttpAnswer got =
            HttpGet(server.url + "/" + UrlPath(tag + kFolderInUtf8 + "/" + name));
        EXPECT_EQ(got.status, 200u);
        EXPECT_EQ(got.body, bytes);
    }
}

// The bytes of a file, read whole.
std::string FileBytes(const std::string &path) {
    std::string bytes;
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got)
        bytes.append(buffer, got);
    ::CloseHandle(file);
    return bytes;
}

class CodePageNameTest : public WebPostTest {
protected:
    void SetUp() override {
        WebPostTest::SetUp();
        WriteTree(source_, "", NamesSite());
    }
};

// A server that does not list UTF8 among its features gets the names in the
// system code page, as servers of old expect: its log of command lines
// holds each name's code-page bytes, and no UTF-8 of them.
TEST_F(CodePageNameTest, AServerWithoutUtf8GetsCodePageNames) {
    REQUIRE_PREREQUISITE(::GetACP() == 1252, "the prefix's code page is " +
                                                 std::to_string(::GetACP()) +
                                                 ", the names are chosen from 1252");
    std::string url, log;
    const ServerSettings servers(
        {{"WEBPOST_TEST_FTP_PLAIN_URL", &url}, {"WEBPOST_TEST_FTP_PLAIN_LOG", &log}});
    REQUIRE_PREREQUISITE(servers.Found(), servers.Missing());
    const std::string site = "/site-names-" + std::to_string(::GetCurrentProcessId()) + "-" +
                             std::to_string(::GetTickCount()) + kFolderInCodePage;
    const PostAnswer answer = PostSource(url + site.substr(5));
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    const std::string commands = FileBytes(log);
    EXPECT_EQ(commands.find("OPTS UTF8"), std::string::npos);
    for (const auto &entry : NamesSite()) {
        const std::string &name = entry.first;
        const std::wstring wide = platform::CodePageToWide(name, CP_UTF8);
        const std::string inCodePage = platform::WideToCodePage(wide);
        if (platform::CodePageToWide(inCodePage) != wide)
            continue;  // outside the code page: it cannot be sent so
        SCOPED_TRACE(name);
        const std::string expected =
            name.back() == '/'
                ? "MKD " + site + "/" + inCodePage.substr(0, inCodePage.size() - 1) + "\n"
                : "RNTO " + site + "/" + inCodePage + "\n";
        EXPECT_NE(commands.find(expected), std::string::npos) << expected;
        if (inCodePage != name) {
            EXPECT_EQ(commands.find(name.back() == '/' ? name.substr(0, name.size() - 1) : name),
                      std::string::npos);
        }
    }
}

}  // namespace
}  // namespace webpost_test
