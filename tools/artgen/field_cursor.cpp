#include "field_cursor.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "panel_diamond.h"

namespace artgen {

namespace {

constexpr int bandWidth = 12;
constexpr Rgb orangeRed{255, 95, 73};
constexpr Rgb pink{255, 0, 128};

// Across the band from its outer edge: two outline lines with a white stripe between them.
constexpr std::array<Rgb, bandWidth> bandColours{
    orangeRed, orangeRed, pink,      pink,       // outer line
    white,     white,     white,     white,      // stripe
    pink,      pink,      orangeRed, orangeRed,  // inner line
};

// How far inside the band a pixel lies, counted across its row from the band's outer edge:
// 0..11 on the band, -1 off it.
int cursorBandDepth(int x, int y) {
    // The band's outer edge: a single pair of pixels (32, 33) on rows 1 and 31, widening by two
    // pixels on each side per row to 2..63 on row 16.
    const int outerLeft = 2 + 2 * std::abs(y - 16);
    const int outerRight = panelWidth + 1 - outerLeft;
    if (y < 1 || y >= panelHeight || x < outerLeft || x > outerRight) return -1;
    const int depth = std::min(x - outerLeft, outerRight - x);
    return depth < bandWidth ? depth : -1;
}

}  // namespace

RgbImage drawCursorMask() {
    RgbImage mask(panelWidth, panelHeight, black);
    for (int y = 0; y < panelHeight; ++y) {
        for (int x = 0; x < panelWidth; ++x) {
            if (cursorBandDepth(x, y) >= 0) mask.set(x, y, white);
        }
    }
    return mask;
}

RgbImage drawCursorImage() {
    RgbImage cursor(panelWidth, panelHeight, white);
    for (int y = 0; y < panelHeight; ++y) {
        for (int x = 0; x < panelWidth; ++x) {
            const int depth = cursorBandDepth(x, y);
            if (depth >= 0) cursor.set(x, y, bandColours[static_cast<std::size_t>(depth)]);
        }
    }
    return cursor;
}

}  // namespace artgen
