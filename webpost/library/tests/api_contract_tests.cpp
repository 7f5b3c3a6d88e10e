// The two entries as a caller binds them, by name from "WEBPOST.DLL": error
// texts and their buffer contract, argument checks, destinations that are
// refused before anything is posted, and the write-back of site and URL.
#include <gtest/gtest.h>

#include <wpapi.h>
#include <wpapimsg.h>

#include "temp_tree.h"
#include "webpost_fixture.h"

namespace webpost_test {
namespace {

using namespace testsupport;

using ApiContractTest = WebPostTest;

TEST_F(ApiContractTest, BothEntriesAreBoundByTheirPlainNames) {
    HMODULE module = ::GetModuleHandleA("WEBPOST.DLL");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(reinterpret_cast<void *>(::GetProcAddress(module, "WpPostA")),
              reinterpret_cast<void *>(library_.Post()));
    EXPECT_EQ(::GetProcAddress(module, "WpPostA@32"), nullptr);
    EXPECT_EQ(::GetProcAddress(module, "WpGetErrorStringA@12"), nullptr);
}

struct ErrorBufferCase {
    DWORD size;
    bool nullBuffer;
    DWORD result;
    bool written;
};

const ErrorBufferCase kErrorBuffers[] = {
    {2048, false, 0, true},
    {1, false, kBufferTooSmall, false},
    {0, true, kBufferTooSmall, false},
    {0, false, kBufferTooSmall, false},
};

TEST_F(ApiContractTest, ErrorTextHonoursTheBufferLength) {
    const std::string full = library_.ErrorText(static_cast<DWORD>(WEBPOST_ERROR_POST_FILES));
    ASSERT_FALSE(full.empty());
    const DWORD needed = static_cast<DWORD>(full.size() + 1);
    std::vector<ErrorBufferCase> cases(std::begin(kErrorBuffers), std::end(kErrorBuffers));
    cases.push_back({needed, false, 0, true});
    cases.push_back({needed - 1, false, kBufferTooSmall, false});
    for (const ErrorBufferCase &c : cases) {
        SCOPED_TRACE("size " + std::to_string(c.size));
        std::vector<char> buffer(c.size + 16, '\xbd');
        DWORD length = c.size;
        const DWORD result =
            library_.ErrorString()(static_cast<UINT>(WEBPOST_ERROR_POST_FILES),
                                   c.nullBuffer ? nullptr : buffer.data(), &length);
        EXPECT_EQ(result, c.result);
        if (c.written) {
            EXPECT_EQ(length, full.size());
            EXPECT_EQ(std::string(buffer.data()), full);
        } else {
            EXPECT_EQ(length, needed);
            for (DWORD i = 0; i < c.size; ++i)
                ASSERT_EQ(buffer[i], '\xbd') << "byte " << i << " written on failure";
        }
        for (std::size_t i = c.size + (c.written ? 0 : 0); i < buffer.size(); ++i)
            ASSERT_EQ(buffer[i], '\xbd') << "byte " << i << " past the size";
    }
}

TEST_F(ApiContractTest, ErrorTextRefusesMissingLengthAndUnknownCodes) {
    char buffer[64];
    EXPECT_EQ(library_.ErrorString()(static_cast<UINT>(WEBPOST_ERROR_UNKNOWN), buffer, nullptr),
              kInvalidArgument);
    DWORD length = sizeof buffer;
    EXPECT_EQ(library_.ErrorString()(0x12345678u, buffer, &length), kInvalidArgument);
}

struct RefusedCase {
    const char *name;
    std::string siteName;
    std::string url;
    DWORD code;
    const char *textMentions;
};

TEST_F(ApiContractTest, DestinationsThatCannotBeUsedAreRefusedAndNothingIsPosted) {
    TempTree source("src");
    source.Write("index.html", "x");
    TempTree target("dst");
    sites_.Store("test-broken", "", "folder");
    const RefusedCase cases[] = {
        {"both empty", "", "", static_cast<DWORD>(WEBPOST_ERROR_POSTINFO_REQUIRED),
         "site name or a destination URL"},
        {"unknown site", "test-nowhere", "", static_cast<DWORD>(WEBPOST_ERROR_SITE_DOESNOTEXIST),
         "-nowhere\""},
        {"site without URL", "test-broken", "", static_cast<DWORD>(WEBPOST_ERROR_SITE_CORRUPT),
         "-broken\""},
        {"unsupported scheme", "", "gopher://127.0.0.1/",
         static_cast<DWORD>(WEBPOST_ERROR_PROVCLSID_UNKNOWN), "gopher:"},
        {"not a URL at all", "", "no such thing",
         static_cast<DWORD>(WEBPOST_ERROR_PROVCLSID_UNKNOWN), "no such thing"},
    };
    for (const RefusedCase &c : cases) {
        SCOPED_TRACE(c.name);
        PostCall call;
        call.paths = {source.Path()};
        call.siteName = c.siteName;
        call.url = c.url;
        const PostAnswer answer = library_.Run(call);
        EXPECT_EQ(answer.code, c.code) << std::hex << answer.code;
        EXPECT_NE(answer.errorText.find(c.textMentions), std::string::npos) << answer.errorText;
        // The caller's buffers are left as they were.
        EXPECT_EQ(answer.siteName, c.siteName);
        EXPECT_EQ(answer.url, c.url);
    }
    EXPECT_TRUE(PostedTree(target.Path()).empty());
}

TEST_F(ApiContractTest, MissingArgumentsAreRefused) {
    char site[260] = "";
    char url[260] = "C:\\x";
    DWORD length = 260;
    LPSTR noPaths[1] = {nullptr};
    EXPECT_EQ(library_.Post()(nullptr, 1, nullptr, &length, site, &length, url, WPF_NO_UI),
              kInvalidArgument);
    EXPECT_EQ(library_.Post()(nullptr, 1, noPaths, nullptr, site, &length, url, WPF_NO_UI),
              kInvalidArgument);
    EXPECT_EQ(library_.Post()(nullptr, 1, noPaths, &length, site, nullptr, url, WPF_NO_UI),
              kInvalidArgument);
    EXPECT_FALSE(library_.ErrorText(kInvalidArgument).empty());
}

struct WriteBackCase {
    const char *name;
    DWORD siteLength;
    DWORD urlLength;
    DWORD code;
    bool posted;
};

TEST_F(ApiContractTest, SiteAndUrlAreWrittenBackOrTheirSizeIsTold) {
    TempTree source("src");
    source.Write("index.html", "<html/>");
    const std::string site = "folder";
    for (const WriteBackCase &c : {
             WriteBackCase{"room enough", 260, 260, 0, true},
             WriteBackCase{"site buffer one short", static_cast<DWORD>(site.size()), 260,
                           kBufferTooSmall, false},
             WriteBackCase{"URL buffer tiny", 260, 4, kBufferTooSmall, false},
         }) {
        SCOPED_TRACE(c.name);
        TempTree target("dst");
        sites_.Store(site, target.Path(), "folder");
        PostCall call;
        call.paths = {source.Path()};
        call.siteName = site;
        call.siteLength = c.siteLength;
        call.urlLength = c.urlLength;
        const PostAnswer answer = library_.Run(call);
        EXPECT_EQ(answer.code, c.code) << answer.errorText;
        EXPECT_EQ(PostedTree(target.Path()).count("index.html") == 1, c.posted);
        if (c.code == 0) {
            EXPECT_EQ(answer.siteName, site);
            EXPECT_EQ(answer.url, target.Path());
            EXPECT_EQ(answer.siteLength, site.size());
            EXPECT_EQ(answer.urlLength, target.Path().size());
        } else {
            const bool siteShort = c.siteLength < site.size() + 1;
            const bool urlShort = c.urlLength < target.Path().size() + 1;
            EXPECT_EQ(answer.siteLength, siteShort ? site.size() + 1 : c.siteLength);
            EXPECT_EQ(answer.urlLength, urlShort ? target.Path().size() + 1 : c.urlLength);
            EXPECT_NE(answer.errorText.find("too small"), std::string::npos) << answer.errorText;
        }
    }
}

}  // namespace
}  // namespace webpost_test
