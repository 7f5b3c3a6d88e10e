#pragma once
// A folder of its own under the temporary folder for one test, deleted with
// everything in it afterwards, and helpers to fill and compare trees. Names
// below the folder are UTF-8 and go through the wide file calls, so that a
// tree may hold names the system code page cannot spell; the folder's own
// path is ASCII.

#include <map>
#include <string>

namespace testsupport {

class TempTree {
public:
    explicit TempTree(const std::string &tag);
    ~TempTree();
    TempTree(const TempTree &) = delete;
    TempTree &operator=(const TempTree &) = delete;

    const std::string &Path() const { return path_; }
    // `relative` uses '/'; folders on the way are made.
    std::string Write(const std::string &relative, const std::string &bytes) const;
    std::string MakeFolder(const std::string &relative) const;
    std::string Below(const std::string &relative) const;

private:
    std::string path_;
};

// Every file below `folder` ('/'-separated relative name -> bytes); folders
// appear as name + "/" with empty bytes.
std::map<std::string, std::string> ReadTree(const std::string &folder);

// The same without the site's memory that a post leaves at the root of its
// destination: what a reader of the site sees.
std::map<std::string, std::string> PostedTree(const std::string &folder);
// The site's memory at the root of `folder`, or "<missing>".
std::string SiteMemory(const std::string &folder);
// Every line of the site's memory that names `path` ("F <size> <sha256>
// <path>" or "D <path>"), joined; empty when none does.
std::string MemoryLines(const std::string &folder, const std::string &path);
// The SHA-256 of `bytes` in lower-case hex, as the memory lists it.
std::string Sha256Hex(const std::string &bytes);

// A site of nested folders with text and binary files of several sizes.
std::map<std::string, std::string> SampleSite();
// A site whose names (UTF-8) hold characters from each range of code page
// 1252 above ASCII, one from outside it, and URL delimiters, in a folder so
// named too.
std::map<std::string, std::string> NamesSite();
void WriteTree(const TempTree &tree, const std::string &under,
               const std::map<std::string, std::string> &files);
// Bytes of `size`, different for each `salt`.
std::string PatternBytes(std::size_t size, unsigned salt);

}  // namespace testsupport
