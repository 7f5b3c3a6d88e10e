#include "link_geometry.h"

#include <algorithm>

namespace zephyne {

uint32_t StaticFitAlignment(uint32_t windowStyle) {
    return windowStyle & (kStaticCentre | kStaticRight | kStaticCentreImage);
}

Rect FitStaticToText(const Rect &control, int textWidth, int textHeight, uint32_t style) {
    Rect r = control;
    if (style & kStaticCentreImage) {
        int shrink = (r.Height() - textHeight) / 2;
        r.top += shrink;
        r.bottom -= shrink;
    } else {
        r.bottom = r.top + textHeight;
    }
    if (style & kStaticCentre) {
        int shrink = (r.Width() - textWidth) / 2;
        r.left += shrink;
        r.right -= shrink;
    } else if (style & kStaticRight) {
        r.left = r.right - textWidth;
    } else {
        r.right = r.left + textWidth;
    }
    return r;
}

Rect LabelTextRect(int textWidth, int textHeight, int alignment, int clientWidth,
                   int clientHeight) {
    // The laid-out area is exactly the text, so alignment inside it adds 0;
    // the formula is kept for a wider area.
    int areaWidth = textWidth, areaHeight = textHeight;
    int x = 0;
    if (alignment == 1)
        x = (areaWidth - textWidth) / 2;
    else if (alignment == 2)
        x = areaWidth - textWidth;
    x += (clientWidth - areaWidth) / 2;
    int y = (clientHeight - areaHeight) / 2;
    return Rect{x, y, x + textWidth, y + textHeight};
}

std::optional<Growth> GrowthForLink(const Rect &area, int neededWidth, int neededHeight) {
    if (neededWidth <= area.Width() && neededHeight <= area.Height())
        return std::nullopt;
    return Growth{std::max(0, neededWidth - area.Width()),
                  std::max(0, neededHeight - area.Height())};
}

int CentreLine(int outerWidth, int growth) {
    return (outerWidth + growth) / 2;
}

int CentredLeft(int centre, int width) {
    return centre - width / 2;
}

namespace {

// The pointing hand, 16 by 16, finger at the top: AND and XOR rows.
constexpr uint16_t kHandAnd[16] = {0xF3FF, 0xE1FF, 0xE1FF, 0xE1FF, 0xE1FF, 0xE07F, 0xC00F, 0x8003,
                                   0x0001, 0x0001, 0x0000, 0x0000, 0x0000, 0x8000, 0x8001, 0xC001};
constexpr uint16_t kHandXor[16] = {0x0000, 0x0C00, 0x0C00, 0x0C00, 0x0C00, 0x0C00, 0x0D80, 0x2DB0,
                                   0x6FF4, 0x6FFC, 0x6FFE, 0x6FFE, 0x7FFE, 0x3FFE, 0x3FFC, 0x1FFC};

}  // namespace

std::optional<CursorPlanes> HandCursorPlanes(int systemCursorWidth) {
    CursorPlanes planes;
    if (systemCursorWidth == 32)
        planes = CursorPlanes{32, 32, 8, 1, {}, {}};
    else if (systemCursorWidth == 16)
        planes = CursorPlanes{16, 16, 4, 0, {}, {}};
    else
        return std::nullopt;
    const int rowBytes = planes.width / 8;
    // Transparent everywhere (AND 1, XOR 0) but for the picture's corner.
    planes.andPlane.assign(static_cast<size_t>(rowBytes) * planes.height, 0xFF);
    planes.xorPlane.assign(static_cast<size_t>(rowBytes) * planes.height, 0x00);
    for (int row = 0; row < 16; ++row) {
        size_t at = static_cast<size_t>(row) * rowBytes;
        planes.andPlane[at] = static_cast<uint8_t>(kHandAnd[row] >> 8);
        planes.andPlane[at + 1] = static_cast<uint8_t>(kHandAnd[row] & 0xFF);
        planes.xorPlane[at] = static_cast<uint8_t>(kHandXor[row] >> 8);
        planes.xorPlane[at + 1] = static_cast<uint8_t>(kHandXor[row] & 0xFF);
    }
    return planes;
}

}  // namespace zephyne
