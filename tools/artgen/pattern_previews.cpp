#include "pattern_previews.h"

#include <cstdlib>
#include <set>
#include <utility>

namespace artgen {

namespace {

constexpr int cellWidth = 16;
constexpr int cellHeight = 8;
// The clicked cell's rectangle, centred in the preview.
constexpr int centreLeft = (previewWidth - cellWidth) / 2;
constexpr int centreTop = (previewHeight - cellHeight) / 2;

constexpr Rgb gridGrey{128, 128, 128};
constexpr Rgb clickedYellow{255, 255, 0};
constexpr Rgb coveredGreen{0, 255, 0};

// A small diamond fills rows 0..7 of its 16 x 8 rectangle; the diamonds tile the plane exactly.
int halfWidthOfRow(int y) { return y < 4 ? 2 * y + 1 : 2 * (7 - y) + 1; }

struct CellPixel {
    int dcol;
    int drow;
    int x;  // inside the cell's rectangle
    int y;
};

// The lattice cell, relative to the clicked one, whose small diamond holds the preview pixel.
CellPixel cellPixelAt(int px, int py) {
    for (int drow = -6; drow <= 6; ++drow) {
        const int top = centreTop + 4 * drow;
        const int y = py - top;
        if (y < 0 || y >= cellHeight) continue;
        for (int dcol = -6; dcol <= 6; ++dcol) {
            const int x = px - (centreLeft + 8 * (2 * dcol - drow));
            if (x >= 0 && x < cellWidth && std::abs(2 * x - 15) <= 2 * halfWidthOfRow(y) - 1) {
                return {dcol, drow, x, y};
            }
        }
    }
    return {0, 0, -1, -1};
}

// The two pixels at each end of a row in the upper half: the cell's upper edges, a 2:1 staircase.
// Each lattice line is the upper edge of exactly one cell, so every line is drawn once.
bool onUpperEdge(const CellPixel& p) {
    return p.y < 4 && std::abs(2 * p.x - 15) >= 2 * halfWidthOfRow(p.y) - 3;
}

}  // namespace

RgbImage drawPatternPreview(const kaleidra::PatternTable& table, kaleidra::PatternType type) {
    std::set<std::pair<int, int>> covered;
    kaleidra::forEachPatternOffset(table, type, [&](std::int32_t dcol, std::int32_t drow) {
        covered.insert({dcol, drow});
    });
    const auto isCovered = [&](int dcol, int drow) { return covered.contains({dcol, drow}); };

    RgbImage preview(previewWidth, previewHeight, white);
    for (int py = 0; py < previewHeight; ++py) {
        for (int px = 0; px < previewWidth; ++px) {
            const CellPixel p = cellPixelAt(px, py);
            Rgb colour = white;
            if (onUpperEdge(p)) {
                // Black where the line borders a covered cell (this one, or the one above it on this
                // side), so that the pattern stands out from the grey lattice.
                const bool aboveCovered =
                    p.x < 8 ? isCovered(p.dcol - 1, p.drow - 1) : isCovered(p.dcol, p.drow - 1);
                colour = isCovered(p.dcol, p.drow) || aboveCovered ? black : gridGrey;
            } else if (isCovered(p.dcol, p.drow)) {
                colour = p.dcol == 0 && p.drow == 0 ? clickedYellow : coveredGreen;
            }
            preview.set(px, py, colour);
        }
    }
    return preview;
}

}  // namespace artgen
