// The site's memory as text: what is written, what is read back, and the
// texts that are no manifest at all (then everything is sent).
#include <gtest/gtest.h>

#include "manifest.h"

namespace webpost_test {
namespace {

using namespace webpost;

const std::string kHashA(64, 'a');
const std::string kHashB = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";

struct FormatCase {
    const char *name;
    Manifest manifest;
    std::string text;
};

TEST(ManifestTest, WritesFoldersThenFilesAndReadsThemBack) {
    const FormatCase cases[] = {
        {"empty", {}, "webpost-manifest 1\nend 0\n"},
        {"folders and files",
         {{"pics", "pics/thumbs"}, {{"index.html", {42, kHashA}}, {"pics/a b.jpg", {0, kHashB}}}},
         "webpost-manifest 1\n"
         "D pics\n"
         "D pics/thumbs\n"
         "F 42 " +
             kHashA +
             " index.html\n"
             "F 0 " +
             kHashB +
             " pics/a b.jpg\n"
             "end 4\n"},
        {"UTF-8 name and the largest size",
         {{}, {{"caf\xC3\xA9/\xE6\x97\xA5.txt", {18446744073709551615ull, kHashA}}}},
         "webpost-manifest 1\nF 18446744073709551615 " + kHashA +
             " caf\xC3\xA9/\xE6\x97\xA5.txt\nend 1\n"},
    };
    for (const FormatCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatManifest(c.manifest), c.text);
        const std::optional<Manifest> read = ParseManifest(c.text);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->folders, c.manifest.folders);
        EXPECT_EQ(read->files, c.manifest.files);
    }
}

TEST(ManifestTest, ReadsLinesEndedByCrLf) {
    const std::optional<Manifest> read =
        ParseManifest("webpost-manifest 1\r\nD x\r\nF 3 " + kHashA + " x/y\r\nend 2\r\n");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->folders, (std::set<std::string>{"x"}));
    EXPECT_EQ(read->files.at("x/y"), (ManifestFile{3, kHashA}));
}

struct GarbledCase {
    const char *name;
    std::string text;
};

TEST(ManifestTest, AnythingButACompleteManifestOfThisVersionIsNone) {
    const std::string head = "webpost-manifest 1\n";
    const std::string file = "F 3 " + kHashA + " a.txt\n";
    const GarbledCase cases[] = {
        {"empty text", ""},
        {"some other file", "<html>not found</html>\n"},
        {"a later version", "webpost-manifest 2\n" + file + "end 1\n"},
        {"no end line", head + file},
        {"cut in the last line", head + file + "end 1"},
        {"cut in an entry", head + "F 3 " + kHashA.substr(0, 20)},
        {"count too small", head + file + "D b\nend 1\n"},
        {"count too large", head + file + "end 2\n"},
        {"count with a sign", head + file + "end +1\n"},
        {"upper-case digest", head + "F 3 " + std::string(64, 'A') + " a.txt\nend 1\n"},
        {"short digest", head + "F 3 abc a.txt\nend 1\n"},
        {"negative size", head + "F -3 " + kHashA + " a.txt\nend 1\n"},
        {"size with a leading zero", head + "F 03 " + kHashA + " a.txt\nend 1\n"},
        {"size past 64 bits", head + "F 18446744073709551616 " + kHashA + " a.txt\nend 1\n"},
        {"no path", head + "F 3 " + kHashA + " \nend 1\n"},
        {"unknown kind of line", head + "X a.txt\nend 1\n"},
        {"blank line", head + "\nend 1\n"},
        {"the same file twice", head + file + file + "end 2\n"},
        {"a folder and a file of one name", head + "D a.txt\n" + file + "end 2\n"},
        {"a path going up", head + "D ../x\nend 1\n"},
        {"an empty segment", head + "D a//b\nend 1\n"},
        {"a leading slash", head + "D /a\nend 1\n"},
        {"invalid UTF-8", head + "D caf\xE9\nend 1\n"},
        {"a tab in the path", head + "D a\tb\nend 1\n"},
    };
    for (const GarbledCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(ParseManifest(c.text).has_value());
    }
}

TEST(ManifestTest, RefusesATextLargerThanTheLimit) {
    std::string text = "webpost-manifest 1\n";
    std::size_t lines = 0;
    const std::string line = "F 1 " + kHashA + " " + std::string(150, 'n');
    while (text.size() <= kManifestLimit) {
        text += line + std::to_string(lines) + "\n";
        ++lines;
    }
    text += "end " + std::to_string(lines) + "\n";
    EXPECT_FALSE(ParseManifest(text).has_value());
    // The same form below the limit is read.
    EXPECT_TRUE(ParseManifest("webpost-manifest 1\n" + line + "0\nend 1\n").has_value());
}

struct PathCase {
    std::string path;
    bool representable;
};

TEST(ManifestTest, PathsThatCannotBeWrittenAreRecognised) {
    const PathCase cases[] = {
        {"index.html", true},
        {"a b/c d.txt", true},
        {".hidden/x", true},
        {"caf\xC3\xA9.txt", true},
        {"\xF0\x9F\x98\x80.png", true},
        {"", false},
        {"a/", false},
        {"/a", false},
        {"a//b", false},
        {"./a", false},
        {"a/../b", false},
        {"line\nbreak", false},
        {"carriage\rreturn", false},
        {std::string("nul\0x", 5), false},
        {"back\\slash", false},
        {"caf\xE9.txt", false},       // a code-page byte, not UTF-8
        {"\xC0\xAF", false},          // overlong '/'
        {"\xED\xA0\x80", false},      // a surrogate
        {"\xF4\x90\x80\x80", false},  // past U+10FFFF
        {"\xE6\x97", false},          // cut short
    };
    for (const PathCase &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(RepresentablePath(c.path), c.representable);
    }
}

}  // namespace
}  // namespace webpost_test
