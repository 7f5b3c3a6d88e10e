// Posting into folders, for real in the prefix's file system: a nested site
// arrives byte for byte, an existing destination is overwritten, recursion
// can be turned off, and a failure leaves no half-written file behind; a
// re-publish sends only what changed, pages last.
#include <gtest/gtest.h>

#include <wpapi.h>
#include <wpapimsg.h>

#include "platform/code_page.h"
#include "prerequisite.h"
#include "republish_checks.h"
#include "temp_tree.h"
#include "webpost_fixture.h"

namespace webpost_test {
namespace {

using namespace testsupport;

class FolderPostTest : public WebPostTest {
protected:
    void SetUp() override {
        WebPostTest::SetUp();
        WriteTree(source_, "", SampleSite());
    }
};

std::string FileUrl(const std::string &path) {
    std::string url = "file:///";
    for (char c : path)
        url += c == '\\' ? std::string("/") : c == ' ' ? std::string("%20") : std::string(1, c);
    return url;
}

TEST_F(FolderPostTest, NestedSiteArrivesIntactByPathAndByFileUrl) {
    for (bool asUrl : {false, true}) {
        SCOPED_TRACE(asUrl ? "file: URL" : "path");
        TempTree target("dst");
        const std::string destination = target.Below("my site");
        const PostAnswer answer = PostSource(asUrl ? FileUrl(destination) : destination);
        ASSERT_EQ(answer.code, 0u) << answer.errorText;
        EXPECT_EQ(PostedTree(destination), SampleSite());
        EXPECT_EQ(answer.url, asUrl ? FileUrl(destination) : destination);
    }
}

TEST_F(FolderPostTest, ExistingFilesAreOverwrittenAndOthersKept) {
    TempTree target("dst");
    target.Write("index.html", std::string(5000, 'o'));
    target.Write("pics/large.jpg", "old");
    target.Write("keep.txt", "not ours");
    const PostAnswer answer = PostSource(target.Path());
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    std::map<std::string, std::string> expected = SampleSite();
    expected["keep.txt"] = "not ours";
    EXPECT_EQ(PostedTree(target.Path()), expected);
}

TEST_F(FolderPostTest, WithoutRecursionOnlyTheTopFilesGo) {
    TempTree target("dst");
    const PostAnswer answer = PostSource(target.Path(), "", WPF_NO_RECURSIVE_POST);
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    std::map<std::string, std::string> expected;
    for (const auto &entry : SampleSite()) {
        if (entry.first.find('/') == std::string::npos)
            expected.insert(entry);
    }
    EXPECT_EQ(PostedTree(target.Path()), expected);
}

TEST_F(FolderPostTest, SingleFilesLandAtTheRootUnderTheirNames) {
    TempTree target("dst");
    PostCall call;
    call.paths = {source_.Below("pics/thumbs/small.jpg"), source_.Below("index.html")};
    call.url = target.Path();
    const PostAnswer answer = library_.Run(call);
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    const auto site = SampleSite();
    EXPECT_EQ(PostedTree(target.Path()),
              (std::map<std::string, std::string>{{"small.jpg", site.at("pics/thumbs/small.jpg")},
                                                  {"index.html", site.at("index.html")}}));
}

TEST_F(FolderPostTest, MissingParentAndMissingSourceFailWithTheirPaths) {
    TempTree target("dst");
    const std::string noParent = target.Below("absent/site");
    PostAnswer answer = PostSource(noParent);
    EXPECT_EQ(answer.code, static_cast<DWORD>(WEBPOST_ERROR_POST_FILES));
    EXPECT_NE(answer.errorText.find(noParent), std::string::npos) << answer.errorText;

    PostCall call;
    call.paths = {source_.Below("not-there")};
    call.url = target.Path();
    answer = library_.Run(call);
    EXPECT_EQ(answer.code, static_cast<DWORD>(WEBPOST_ERROR_POST_FILES));
    EXPECT_NE(answer.errorText.find(source_.Below("not-there")), std::string::npos)
        << answer.errorText;
    EXPECT_TRUE(PostedTree(target.Path()).empty());
}

TEST_F(FolderPostTest, AFileThatCannotBeReplacedLeavesNoPartialFile) {
    TempTree target("dst");
    // A folder where the post wants the file "index.html": the rename fails.
    target.MakeFolder("index.html");
    const PostAnswer answer = PostSource(target.Path());
    EXPECT_EQ(answer.code, static_cast<DWORD>(WEBPOST_ERROR_POST_FILES));
    EXPECT_NE(answer.errorText.find("index.html"), std::string::npos) << answer.errorText;
    for (const auto &entry : PostedTree(target.Path()))
        EXPECT_EQ(entry.first.find(".tmp"), std::string::npos) << entry.first;
}

// Names outside ASCII, from the source's file system and in the paths the
// caller gives (system code page), arrive as the same characters.
TEST_F(FolderPostTest, NamesOutsideAsciiArriveAsTheyAre) {
    REQUIRE_PREREQUISITE(::GetACP() == 1252, "the prefix's code page is " +
                                                 std::to_string(::GetACP()) +
                                                 ", the names are chosen from 1252");
    const auto inCodePage = [](const std::string &utf8) {
        return platform::WideToCodePage(platform::CodePageToWide(utf8, CP_UTF8));
    };
    TempTree names("names");
    WriteTree(names, "", NamesSite());
    const std::string folder = "dossier \xc3\xa9\xe2\x82\xac\xc2\xb0";
    std::map<std::string, std::string> folderOnly;
    for (const auto &[name, bytes] : NamesSite()) {
        if (name.rfind(folder + "/", 0) == 0 && name.size() > folder.size() + 1)
            folderOnly[name.substr(folder.size() + 1)] = bytes;
    }
    struct Case {
        const char *what;
        std::string source;       // as the caller gives it
        std::string destination;  // ditto
        std::map<std::string, std::string> expected;
    };
    const Case cases[] = {
        {"the site into a folder named in the code page", names.Path(), "s\xe9jour", NamesSite()},
        {"a folder given by its name in the code page", inCodePage(names.Below(folder)), "plain",
         folderOnly},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TempTree target("dst");
        PostCall call;
        call.paths = {c.source};
        call.url = target.Below(c.destination);
        const PostAnswer answer = library_.Run(call);
        ASSERT_EQ(answer.code, 0u) << answer.errorText;
        EXPECT_EQ(PostedTree(target.Below(
                      platform::WideToCodePage(platform::CodePageToWide(c.destination), CP_UTF8))),
                  c.expected);
    }
}

TEST_F(FolderPostTest, AStoredSiteIsPostedToByName) {
    TempTree target("dst");
    const std::string site = "stored-folder";
    sites_.Store(site, target.Path(), "folder");
    PostCall call;
    call.paths = {source_.Path()};
    call.siteName = site;
    const PostAnswer answer = library_.Run(call);
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    EXPECT_EQ(PostedTree(target.Path()), SampleSite());
    EXPECT_EQ(answer.siteName, site);
    EXPECT_EQ(answer.url, target.Path());
}

TEST_F(FolderPostTest, ARepublishSendsOnlyWhatChanged) {
    TempTree targets("dst");
    ExpectOnlyChangesResent(library_, sites_, source_, "folder", [&](const std::string &tag) {
        return Destination{targets.Below(tag), targets.Below(tag)};
    });
}

TEST_F(FolderPostTest, AFailureHalfWayLeavesNoPageLinkingToAMissingFile) {
    TempTree targets("dst");
    ExpectPagesLastAfterAFailure(library_, source_, [&](const std::string &tag) {
        return Destination{targets.Below(tag), targets.Below(tag)};
    });
}

TEST_F(FolderPostTest, TheSitesMemoryIsAHiddenFileAtTheRoot) {
    TempTree target("dst");
    ASSERT_EQ(PostSource(target.Path()).code, 0u);
    const DWORD attributes = ::GetFileAttributesA(target.Below(".webpost-manifest").c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    const std::string memory = SiteMemory(target.Path());
    EXPECT_EQ(memory.rfind("webpost-manifest 1\n", 0), 0u) << memory;
    EXPECT_NE(memory.find("\nend 10\n"), std::string::npos) << memory;
    EXPECT_EQ(MemoryLines(target.Path(), "pics/thumbs/deeper"), "D pics/thumbs/deeper");
    EXPECT_EQ(MemoryLines(target.Path(), "empty.txt"),
              "F 0 e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855 empty.txt");
}

TEST_F(FolderPostTest, ALocalFileOnTheMemorysNameIsPostedAndNoMemoryKept) {
    source_.Write(".WebPost-Manifest", "the user's own file");
    TempTree target("dst");
    for (int post = 0; post < 2; ++post) {
        ASSERT_EQ(PostSource(target.Path()).code, 0u);
        EXPECT_EQ(ReadTree(target.Path()).at(".WebPost-Manifest"), "the user's own file");
    }
}

}  // namespace
}  // namespace webpost_test
