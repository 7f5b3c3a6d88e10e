#pragma once
// The arithmetic of the two link controls and of the Save Completed dialog's
// growth around a long link: rectangles in, rectangles out, whole-number
// halves rounded towards zero throughout. Portable.
#include <cstdint>
#include <optional>
#include <vector>

namespace zephyne {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect &o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Static-control styles the text fit looks at (the platform's values).
constexpr uint32_t kStaticCentre = 0x0001;
constexpr uint32_t kStaticRight = 0x0002;
constexpr uint32_t kStaticCentreImage = 0x0200;

// The alignment bits of FitStaticToText from a static control's window
// style. SS_CENTER and SS_RIGHT are read as the bits they are, whatever the
// rest of the type field holds: a type whose value has them set (SS_ICON,
// SS_SIMPLE, SS_OWNERDRAW, SS_ETCHEDFRAME, ...) is fitted by them, as the
// control's own text drawing reads them.
uint32_t StaticFitAlignment(uint32_t windowStyle);

// A static control's rectangle shrunk (or grown) to its text: vertically
// centred with SS_CENTERIMAGE, else kept at its top; horizontally centred on
// the same midpoint with SS_CENTER, kept at its right edge with SS_RIGHT,
// else at its left edge.
Rect FitStaticToText(const Rect &control, int textWidth, int textHeight, uint32_t style);

// Where a label draws a text of this size: aligned (0 left, 1 centre,
// 2 right) within an area that is exactly the text, and that area centred
// in the client rectangle (negative offsets when the client is smaller).
Rect LabelTextRect(int textWidth, int textHeight, int alignment, int clientWidth, int clientHeight);

// How much the Save Completed dialog grows for a link that needs this size
// in `area`; std::nullopt when it fits and nothing moves. Neither part is
// ever negative.
struct Growth {
    int width = 0, height = 0;
};
std::optional<Growth> GrowthForLink(const Rect &area, int neededWidth, int neededHeight);

// The centre line of the grown dialog: half its outer width after growth.
int CentreLine(int outerWidth, int growth);
// The left edge that centres something this wide on the line.
int CentredLeft(int centre, int width);

// The link label's hand cursor for a system cursor width: 32 gives the 16 by
// 16 picture in the top-left corner of a transparent 32 by 32 cursor, hot
// spot (8, 1); 16 gives the picture itself, hot spot (4, 0); any other width
// gives none.
struct CursorPlanes {
    int width = 0, height = 0, hotX = 0, hotY = 0;
    std::vector<uint8_t> andPlane, xorPlane;
};
std::optional<CursorPlanes> HandCursorPlanes(int systemCursorWidth);

}  // namespace zephyne
