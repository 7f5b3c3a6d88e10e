// The card watch's text rules: the drive of a volume-arrival mask, the card
// folders a PCCardPath list gives on a drive, "-" as no card file, and what a
// card arrival writes into ConnectVia.
#include <gtest/gtest.h>

#include <vector>

#include "card_rules.h"

using applet::CardFilePattern;
using applet::CardFolderCandidates;
using applet::ConnectViaForCardArrival;
using applet::LowestDriveOfUnitMask;

namespace vesko_test {
namespace {

TEST(CardRules, LowestDriveOfTheUnitMaskOnly) {
    struct Case {
        uint32_t mask;
        const char *drive;
    };
    for (const Case &c : {Case{0, ""}, Case{0x1, "A:"}, Case{0x10, "E:"}, Case{0x50, "E:"},
                          Case{0x40, "G:"}, Case{0x2000010, "E:"}, Case{0x2000000, "Z:"},
                          Case{0x4000000, ""}, Case{0xFFFFFFFF, "A:"}})
        EXPECT_EQ(LowestDriveOfUnitMask(c.mask), c.drive) << std::hex << c.mask;
}

TEST(CardRules, FolderCandidatesOfEachPiece) {
    struct Case {
        const char *drive;
        const char *list;
        std::vector<std::string> candidates;
    };
    const std::vector<Case> cases = {
        {"E:", "DCIM", {"E:\\DCIM"}},
        // Blanks around a piece go, a blank piece is skipped, another drive
        // stays joined (never a folder), the drive's own letter stands alone.
        {"E:", "  DCIM ;  ; X:\\PHOTOS", {"E:\\DCIM", "E:\\X:\\PHOTOS"}},
        {"X:", "  DCIM ;  ; X:\\PHOTOS", {"X:\\DCIM", "X:\\PHOTOS"}},
        {"x:", "X:\\PHOTOS", {"X:\\PHOTOS"}},
        {"E:", "e:\\dcim;\tMISC\\CARD\t", {"e:\\dcim", "E:\\MISC\\CARD"}},
        {"E:", "\\DCIM;", {"E:\\DCIM"}},
        {"E:", "", {}},
        {"E:", ";;  ;", {}},
        {"E:", "E:", {"E:"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CardFolderCandidates(c.drive, c.list), c.candidates)
            << c.drive << " [" << c.list << "]";
}

TEST(CardRules, DashMeansNoCardFile) {
    EXPECT_EQ(CardFilePattern("-"), "");
    EXPECT_EQ(CardFilePattern(""), "");
    EXPECT_EQ(CardFilePattern("--"), "--");
    EXPECT_EQ(CardFilePattern("DCIM\\###*"), "DCIM\\###*");
}

TEST(CardRules, ConnectViaWrittenOnArrival) {
    struct Case {
        int32_t kind;
        bool toshiba;
        int32_t written;  // -1: nothing
    };
    for (const Case &c : {Case{0, false, 1}, Case{0, true, 3}, Case{1, false, -1},
                          Case{1, true, -1}, Case{2, false, 1}, Case{2, true, 3},
                          Case{3, false, -1}, Case{3, true, -1}, Case{4, true, 3},
                          Case{5, false, 1}, Case{-7, false, 1}}) {
        const auto written = ConnectViaForCardArrival(c.kind, c.toshiba);
        EXPECT_EQ(written.value_or(-1), c.written) << c.kind << " toshibamode " << c.toshiba;
    }
}

}  // namespace
}  // namespace vesko_test
