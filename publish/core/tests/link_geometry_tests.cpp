// Geometry of the link controls and of the Save Completed dialog's growth.
#include <gtest/gtest.h>

#include "link_geometry.h"

namespace zephyne_test {
namespace {

using namespace zephyne;

TEST(LinkGeometry, StaticFitsItsTextByAlignment) {
    const Rect control{10, 20, 250, 40};  // 240 by 20
    struct Case {
        uint32_t style;
        Rect fitted;
    } cases[] = {
        {0, {10, 20, 110, 33}},                   // left: left edge stays
        {kStaticCentre, {80, 20, 180, 33}},       // centre: midpoint stays
        {kStaticRight, {150, 20, 250, 33}},       // right: right edge stays
        {kStaticCentreImage, {10, 23, 110, 37}},  // (20 - 13) / 2 = 3 each
        {kStaticCentre | kStaticCentreImage, {80, 23, 180, 37}},
    };
    for (const Case &c : cases) {
        Rect r = FitStaticToText(control, 100, 13, c.style);
        EXPECT_TRUE(r == c.fitted) << "style " << c.style << ": " << r.left << "," << r.top << ","
                                   << r.right << "," << r.bottom;
    }
    // Odd differences round towards zero; a wider text grows the control.
    Rect odd = FitStaticToText(control, 101, 13, kStaticCentre);
    EXPECT_EQ(odd.left, 79);
    EXPECT_EQ(odd.right, 181);
    Rect wide = FitStaticToText(control, 300, 13, kStaticCentre);
    EXPECT_EQ(wide.left, -20);
    EXPECT_EQ(wide.right, 280);
}

// The platform's static styles, written out: the core has no platform
// headers.
constexpr uint32_t kSsLeft = 0x00, kSsCenter = 0x01, kSsRight = 0x02, kSsIcon = 0x03,
                   kSsBlackRect = 0x04, kSsSimple = 0x0B, kSsLeftNoWordWrap = 0x0C,
                   kSsOwnerDraw = 0x0D, kSsBitmap = 0x0E, kSsEtchedFrame = 0x12,
                   kSsNotify = 0x100, kSsCenterImage = 0x200, kWsChildVisible = 0x50000000;

TEST(LinkGeometry, StaticAlignmentIsReadAsBitsOfTheStyle) {
    struct Case {
        const char *what;
        uint32_t style;
        uint32_t alignment;
    } cases[] = {
        {"SS_LEFT", kSsLeft, 0},
        {"SS_CENTER", kSsCenter, kStaticCentre},
        {"SS_RIGHT", kSsRight, kStaticRight},
        {"SS_ICON: both bits", kSsIcon, kStaticCentre | kStaticRight},
        {"SS_BLACKRECT: neither", kSsBlackRect, 0},
        {"SS_SIMPLE: both bits", kSsSimple, kStaticCentre | kStaticRight},
        {"SS_LEFTNOWORDWRAP: neither", kSsLeftNoWordWrap, 0},
        {"SS_OWNERDRAW: the centre bit", kSsOwnerDraw, kStaticCentre},
        {"SS_BITMAP: the right bit", kSsBitmap, kStaticRight},
        {"SS_ETCHEDFRAME: the right bit", kSsEtchedFrame, kStaticRight},
        {"SS_CENTERIMAGE alone", kSsCenterImage, kStaticCentreImage},
        {"SS_RIGHT | SS_CENTERIMAGE", kSsRight | kSsCenterImage,
         kStaticRight | kStaticCentreImage},
        {"child, visible, notify, centred", kWsChildVisible | kSsNotify | kSsCenter, kStaticCentre},
        {"child, visible, SS_SIMPLE", kWsChildVisible | kSsSimple, kStaticCentre | kStaticRight},
    };
    for (const Case &c : cases)
        EXPECT_EQ(StaticFitAlignment(c.style), c.alignment) << c.what;

    // Through the fit: a simple static keeps its midpoint (the centre bit
    // wins over the right bit), an owner-drawn one too, a bitmap its right
    // edge.
    const Rect control{10, 20, 250, 40};
    struct Fit {
        uint32_t style;
        int left, right;
    } fits[] = {{kSsSimple, 80, 180}, {kSsOwnerDraw, 80, 180}, {kSsBitmap, 150, 250},
                {kSsLeftNoWordWrap, 10, 110}};
    for (const Fit &f : fits) {
        Rect r = FitStaticToText(control, 100, 13, StaticFitAlignment(f.style));
        EXPECT_EQ(r.left, f.left) << "style " << f.style;
        EXPECT_EQ(r.right, f.right) << "style " << f.style;
    }
}

TEST(LinkGeometry, LabelTextIsCentredInTheClientArea) {
    struct Case {
        int textW, textH, alignment, clientW, clientH;
        Rect placed;
    } cases[] = {
        {100, 13, 1, 348, 23, {124, 5, 224, 18}},
        {100, 13, 0, 348, 23, {124, 5, 224, 18}},  // the area is the text itself
        {101, 14, 2, 348, 23, {123, 4, 224, 18}},
        {400, 13, 1, 348, 23, {-26, 5, 374, 18}},  // wider than the client
        {1, 0, 1, 10, 10, {4, 5, 5, 5}},
    };
    for (const Case &c : cases) {
        Rect r = LabelTextRect(c.textW, c.textH, c.alignment, c.clientW, c.clientH);
        EXPECT_TRUE(r == c.placed)
            << c.textW << "x" << c.textH << " in " << c.clientW << "x" << c.clientH << ": "
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(LinkGeometry, DialogGrowsOnlyForALinkThatDoesNotFit) {
    const Rect area{14, 59, 362, 82};  // 348 by 23
    EXPECT_FALSE(GrowthForLink(area, 348, 23));
    EXPECT_FALSE(GrowthForLink(area, 1, 1));
    struct Case {
        int w, h, dW, dH;
    } cases[] = {{349, 23, 1, 0}, {500, 13, 152, 0}, {300, 40, 0, 17}, {600, 50, 252, 27}};
    for (const Case &c : cases) {
        auto g = GrowthForLink(area, c.w, c.h);
        ASSERT_TRUE(g) << c.w << "x" << c.h;
        EXPECT_EQ(g->width, c.dW);
        EXPECT_EQ(g->height, c.dH);
    }
    // Half the grown outer width, and left edges centred on it.
    EXPECT_EQ(CentreLine(387, 152), 269);
    EXPECT_EQ(CentreLine(386, 0), 193);
    EXPECT_EQ(CentredLeft(269, 75), 232);
    EXPECT_EQ(CentredLeft(269, 500), 19);
}

TEST(LinkGeometry, HandCursorPlanesBySystemCursorWidth) {
    EXPECT_FALSE(HandCursorPlanes(24));
    EXPECT_FALSE(HandCursorPlanes(0));

    auto small = HandCursorPlanes(16);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->width, 16);
    EXPECT_EQ(small->hotX, 4);
    EXPECT_EQ(small->hotY, 0);
    ASSERT_EQ(small->andPlane.size(), 32u);
    EXPECT_EQ(small->andPlane[0], 0xF3);  // row 0: F3FF / 0000
    EXPECT_EQ(small->andPlane[1], 0xFF);
    EXPECT_EQ(small->xorPlane[2 * 7], 0x2D);  // row 7: 8003 / 2DB0
    EXPECT_EQ(small->xorPlane[2 * 7 + 1], 0xB0);
    EXPECT_EQ(small->andPlane[2 * 15], 0xC0);  // row 15: C001 / 1FFC
    EXPECT_EQ(small->xorPlane[2 * 15 + 1], 0xFC);

    auto large = HandCursorPlanes(32);
    ASSERT_TRUE(large);
    EXPECT_EQ(large->height, 32);
    EXPECT_EQ(large->hotX, 8);
    EXPECT_EQ(large->hotY, 1);
    ASSERT_EQ(large->andPlane.size(), 128u);
    // The picture sits in the top-left corner, rows of four bytes...
    EXPECT_EQ(large->andPlane[4 * 8], 0x00);  // row 8: 0001 / 6FF4
    EXPECT_EQ(large->andPlane[4 * 8 + 1], 0x01);
    EXPECT_EQ(large->xorPlane[4 * 8], 0x6F);
    EXPECT_EQ(large->xorPlane[4 * 8 + 1], 0xF4);
    // ...and every other pixel is transparent (AND 1, XOR 0).
    for (int row = 0; row < 32; ++row)
        for (int byte = 0; byte < 4; ++byte) {
            if (row < 16 && byte < 2)
                continue;
            EXPECT_EQ(large->andPlane[row * 4 + byte], 0xFF) << row << "," << byte;
            EXPECT_EQ(large->xorPlane[row * 4 + byte], 0x00) << row << "," << byte;
        }
}

}  // namespace
}  // namespace zephyne_test
