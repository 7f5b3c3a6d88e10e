#include "republish_checks.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/win32_handles.h"

namespace testsupport {

namespace {

constexpr DWORD kNoWizardNoProgress = 0x2 | 0x200;

std::string MemoryPath(const std::string &served) {
    return served + "\\.webpost-manifest";
}

void WriteFile(const std::string &path, const std::string &bytes) {
    platform::UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << path;
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                            nullptr) &&
                written == bytes.size());
}

PostAnswer Post(const WebPostLibrary &library, const TempTree &source, const std::string &url,
                const std::string &site) {
    PostCall call;
    call.paths = {source.Path()};
    call.url = url;
    call.siteName = site;
    call.flags = kNoWizardNoProgress;
    return library.Run(call);
}

enum class Change { None, OneFile, MemoryDeleted, MemoryGarbled, FullPostSite };

struct ResendCase {
    const char *name;
    Change change;
    // The files the second post sends; empty: none; "*": all.
    std::set<std::string> sent;
};

const char *const kChanged = "pics/thumbs/small.jpg";

}  // namespace

std::string Marker(const std::string &path) {
    return "marker of " + path;
}

void MarkServedFiles(const std::string &served) {
    for (const auto &[path, bytes] : PostedTree(served)) {
        if (path.back() == '/')
            continue;
        std::string windows = path;
        for (char &c : windows)
            c = c == '/' ? '\\' : c;
        WriteFile(served + "\\" + windows, Marker(path));
    }
}

void ExpectOnlyChangesResent(const WebPostLibrary &library, const StoredSites &sites,
                             const TempTree &source, const std::string &kind,
                             const DestinationMaker &fresh) {
    const ResendCase cases[] = {
        {"unchanged: nothing is sent", Change::None, {}},
        {"one file changed: it alone is sent", Change::OneFile, {kChanged}},
        {"the memory deleted on the server: all is sent", Change::MemoryDeleted, {"*"}},
        {"the memory garbled on the server: all is sent", Change::MemoryGarbled, {"*"}},
        {"a stored site with FullPost: all is sent", Change::FullPostSite, {"*"}},
    };
    const std::map<std::string, std::string> sample = SampleSite();
    int number = 0;
    for (const ResendCase &c : cases) {
        SCOPED_TRACE(c.name);
        const Destination destination = fresh("again" + std::to_string(++number));
        PostAnswer answer = Post(library, source, destination.url, "");
        ASSERT_EQ(answer.code, 0u) << answer.errorText;
        ASSERT_EQ(PostedTree(destination.served), sample);
        MarkServedFiles(destination.served);

        std::map<std::string, std::string> local = sample;
        std::string site;
        switch (c.change) {
        case Change::None:
            break;
        case Change::OneFile:
            local[kChanged] = PatternBytes(3001, 77);
            source.Write(kChanged, local[kChanged]);
            break;
        case Change::MemoryDeleted:
            ASSERT_TRUE(::DeleteFileA(MemoryPath(destination.served).c_str()));
            break;
        case Change::MemoryGarbled:
            WriteFile(MemoryPath(destination.served),
                      "webpost-manifest 1\nF 3 not-a-digest index.html\nend 1\n");
            break;
        case Change::FullPostSite:
            site = "full-" + std::to_string(number);
            sites.Store(site, destination.url, kind);
            sites.StoreNumber(site, "FullPost", 1);
            break;
        }
        answer = Post(library, source, site.empty() ? destination.url : "", site);
        if (c.change == Change::OneFile)
            source.Write(kChanged, sample.at(kChanged));
        ASSERT_EQ(answer.code, 0u) << answer.errorText;

        std::map<std::string, std::string> expected;
        for (const auto &[path, bytes] : local) {
            const bool sent = c.sent.count("*") || c.sent.count(path);
            expected[path] = path.back() == '/' ? "" : sent ? bytes : Marker(path);
        }
        EXPECT_EQ(PostedTree(destination.served), expected);
        // The memory lists what the local files were when sent, whatever
        // the server's files hold now.
        for (const char *path : {"pics/large.jpg", kChanged}) {
            EXPECT_EQ(MemoryLines(destination.served, path),
                      "F " + std::to_string(local.at(path).size()) + " " +
                          Sha256Hex(local.at(path)) + " " + path);
        }
        EXPECT_EQ(MemoryLines(destination.served, "pics/thumbs"), "D pics/thumbs");
    }
}

void ExpectPagesLastAfterAFailure(const WebPostLibrary &library, const TempTree &source,
                                  const DestinationMaker &fresh) {
    const Destination destination = fresh("halfway");
    PostAnswer answer = Post(library, source, destination.url, "");
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    const std::map<std::string, std::string> old = SampleSite();

    // A new edition: both pages link to a new picture, the style changes.
    std::map<std::string, std::string> edition = old;
    edition["index.html"] = "<html><img src=\"pics/new.jpg\"></html>\n";
    edition["pics/index.html"] = "<html><img src=\"new.jpg\"></html>\n";
    edition["style sheet.css"] = "body { color: #456; }\n";
    edition["pics/new.jpg"] = PatternBytes(5000, 31);
    for (const char *path : {"index.html", "pics/index.html", "style sheet.css", "pics/new.jpg"})
        source.Write(path, edition.at(path));
    {
        // The new picture cannot be read while held open without sharing.
        platform::UniqueFile holder(::CreateFileA(source.Below("pics/new.jpg").c_str(),
                                                  GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                                  OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        answer = Post(library, source, destination.url, "");
    }
    EXPECT_EQ(answer.code, 0xC004210Fu) << std::hex << answer.code << " " << answer.errorText;
    EXPECT_NE(answer.errorText.find("new.jpg"), std::string::npos) << answer.errorText;
    std::map<std::string, std::string> expected = old;
    expected["style sheet.css"] = edition.at("style sheet.css");
    EXPECT_EQ(PostedTree(destination.served), expected)
        << "a page links to a picture the server does not have";
    // What was sent is remembered; what was about to be sent, and was not,
    // is not remembered at all (its old entry went before the first file).
    const std::string &style = edition.at("style sheet.css");
    EXPECT_EQ(MemoryLines(destination.served, "style sheet.css"),
              "F " + std::to_string(style.size()) + " " + Sha256Hex(style) + " style sheet.css");
    EXPECT_EQ(MemoryLines(destination.served, "index.html"), "");
    EXPECT_EQ(MemoryLines(destination.served, "pics/new.jpg"), "");
    EXPECT_EQ(MemoryLines(destination.served, "pics/large.jpg"),
              "F 700000 " + Sha256Hex(old.at("pics/large.jpg")) + " pics/large.jpg");

    // Readable again: the rest follows, and only the rest.
    MarkServedFiles(destination.served);
    answer = Post(library, source, destination.url, "");
    ASSERT_EQ(answer.code, 0u) << answer.errorText;
    expected = edition;
    for (const char *path : {"empty.txt", "pics/large.jpg", "pics/thumbs/small.jpg",
                             "pics/thumbs/deeper/note.txt", "style sheet.css"})
        expected[path] = Marker(path);
    EXPECT_EQ(PostedTree(destination.served), expected);
}

}  // namespace testsupport
