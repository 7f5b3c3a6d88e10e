#pragma once
// The folder picker's text rule, free of the platform: the folder the user
// means when an entry of the shown folder is selected.
#include <string>

namespace applet {

// `currentFolder` followed by `selectedEntry`, with one "\" between them
// unless the folder already ends with one. The caller keeps the result only
// when it is an existing folder.
std::string SelectedFolderCandidate(const std::string &currentFolder,
                                    const std::string &selectedEntry);

}  // namespace applet
