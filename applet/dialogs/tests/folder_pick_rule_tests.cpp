// The folder the picker means when an entry of the shown folder is selected.
#include <gtest/gtest.h>

#include "folder_pick_rule.h"

namespace vesko_test {
namespace {

TEST(FolderPickRule, OneSeparatorBetweenFolderAndEntry) {
    struct Case {
        const char *folder;
        const char *entry;
        const char *expected;
    };
    for (const Case &c : {
             Case{"C:\\Pictures", "Rome", "C:\\Pictures\\Rome"},
             Case{"C:\\", "Pictures", "C:\\Pictures"},  // the root keeps its "\"
             Case{"\\\\server\\share", "a b", "\\\\server\\share\\a b"},
             Case{"Q:\\x\\", "y", "Q:\\x\\y"},
             Case{"", "y", "\\y"},  // no current folder: never an existing folder then
         }) {
        EXPECT_EQ(applet::SelectedFolderCandidate(c.folder, c.entry), c.expected)
            << c.folder << " + " << c.entry;
    }
}

}  // namespace
}  // namespace vesko_test
