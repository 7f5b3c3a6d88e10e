#include "find_matching_file.h"

#include "file_queries.h"
#include "folder_scan.h"
#include "path_text.h"
#include "wildcard.h"

namespace applet {

namespace {
bool NamesADrive(const std::string &name) {
    return name.size() >= 2 && name[1] == ':';
}
}  // namespace

bool FindMatchingFile(const std::string &base, const std::string &name) {
    if (!HasWildcards(name))
        return FileExists(NamesADrive(name) ? name : JoinPath(base, name));

    const std::string folder =
        NamesADrive(name) ? GetFolderPart(name) : JoinPath(base, GetFolderPart(name));
    const std::string pattern = NamesADrive(name) ? name : JoinPath(base, name);
    // Only the last component is a pattern: a "#" or "?" that belongs to a folder
    // name is that folder's own character, not a wildcard to test against it.
    const std::string namePattern = GetNamePart(pattern);

    FolderScan scan(folder);
    std::string entry;
    while (scan.Next(entry)) {
        if (MatchWildcard(namePattern, GetNamePart(entry)))
            return true;
    }
    return false;
}

}  // namespace applet
