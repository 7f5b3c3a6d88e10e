#include "folder_pick_rule.h"

namespace applet {

std::string SelectedFolderCandidate(const std::string &currentFolder,
                                    const std::string &selectedEntry) {
    const bool endsWithSeparator = !currentFolder.empty() && currentFolder.back() == '\\';
    return currentFolder + (endsWithSeparator ? "" : "\\") + selectedEntry;
}

}  // namespace applet
