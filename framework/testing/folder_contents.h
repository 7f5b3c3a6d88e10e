#pragma once
// What a test finds in a folder after the code under test wrote there.

#include <string>
#include <vector>

namespace testsupport {

enum class EntryKinds { FilesOnly, FilesAndFolders };

// The names in a folder without "." and "..", sorted: a listing's own order
// is the file system's, and tests compare whole lists. Empty when the folder
// does not exist.
std::vector<std::string> FolderEntries(const std::string &folder,
                                       EntryKinds kinds = EntryKinds::FilesAndFolders);

// A file's bytes; empty when it cannot be read.
std::string ReadWholeFile(const std::string &path);

}  // namespace testsupport
