#include "panel_sheet.h"

#include <array>
#include <cstdlib>
#include <limits>

#include "panel_colours.h"
#include "panel_diamond.h"

namespace artgen {

namespace {

constexpr int frameCount = 5;
constexpr int rimRows = 3;  // the slab's visible thickness, in pixel rows
constexpr std::array<int, 3> slidingFramePixels{248, 504, 760};

// Lines of constant x - 2y run parallel to the upper-right edge; the value grows towards it.
int towardsUpperRight(int x, int y) { return x - 2 * y; }

// The smallest "towards upper-right" value the sliding layer reaches in a frame: chosen so that the
// layer covers the number of diamond pixels nearest to the target.
int layerThreshold(int targetPixels) {
    int best = 0;
    int bestError = std::numeric_limits<int>::max();
    for (int threshold = -64; threshold <= 64; ++threshold) {
        int covered = 0;
        for (int y = 0; y < panelHeight; ++y) {
            for (int x = 0; x < panelWidth; ++x) {
                if (inPanelDiamond(x, y) && towardsUpperRight(x, y) >= threshold) ++covered;
            }
        }
        const int error = std::abs(covered - targetPixels);
        if (error < bestError) {
            bestError = error;
            best = threshold;
        }
    }
    return best;
}

// One piece: the sliding layer, in layerColour, covers the pixels whose towardsUpperRight value is at
// least threshold; the rest of the diamond shows restingColour. Each region is shaded as a slab: a
// light top edge, the face, and a rim along its lower edge; the layer casts a shadow below its front.
RgbImage drawPiece(int restingColour, int layerColour, int threshold) {
    const auto inLayer = [&](int x, int y) {
        return inPanelDiamond(x, y) && towardsUpperRight(x, y) >= threshold;
    };
    const auto inRest = [&](int x, int y) {
        return inPanelDiamond(x, y) && towardsUpperRight(x, y) < threshold;
    };

    RgbImage piece(panelWidth, panelHeight, white);
    for (int y = 0; y < panelHeight; ++y) {
        for (int x = 0; x < panelWidth; ++x) {
            if (!inPanelDiamond(x, y)) continue;
            const bool layer = inLayer(x, y);
            const auto inSameRegion = [&](int otherY) {
                return layer ? inLayer(x, otherY) : inRest(x, otherY);
            };
            const PanelShades& shades =
                panelShades[static_cast<std::size_t>(layer ? layerColour : restingColour)];

            int rowsBelow = 0;  // to the region's lower edge in this column, counted up to rimRows
            while (rowsBelow < rimRows && inSameRegion(y + rowsBelow + 1)) ++rowsBelow;
            const bool topOfDiamond = !inPanelDiamond(x, y - 1);
            const bool justBelowLayer = !layer && inLayer(x, y - 1);
            const bool twoBelowLayer = !layer && !justBelowLayer && inLayer(x, y - 2);

            Rgb colour = shades.face;
            if (rowsBelow == 0) {
                colour = scaled(shades.rim, 0.75);
            } else if (rowsBelow < rimRows) {
                colour = shades.rim;
            } else if (justBelowLayer) {
                colour = scaled(shades.face, 0.6);
            } else if (twoBelowLayer) {
                colour = scaled(shades.face, 0.8);
            } else if (topOfDiamond) {
                colour = mix(shades.face, white, 0.55);
            }
            piece.set(x, y, colour);
        }
    }
    return piece;
}

}  // namespace

RgbImage drawPanelSheet() {
    constexpr int everywhere = std::numeric_limits<int>::min();
    constexpr int nowhere = std::numeric_limits<int>::max();
    RgbImage sheet(panelColourCount * panelWidth, frameCount * panelHeight, white);
    for (int colour = 0; colour < panelColourCount; ++colour) {
        const int next = (colour + 1) % panelColourCount;
        sheet.paste(drawPiece(colour, next, nowhere), panelWidth * colour, 0);
        for (int frame = 1; frame <= 3; ++frame) {
            const int threshold = layerThreshold(slidingFramePixels[static_cast<std::size_t>(frame - 1)]);
            sheet.paste(drawPiece(colour, next, threshold), panelWidth * colour, panelHeight * frame);
        }
        sheet.paste(drawPiece(colour, next, everywhere), panelWidth * colour, panelHeight * 4);
    }
    return sheet;
}

RgbImage drawPanelMask() {
    RgbImage mask(panelWidth, panelHeight, black);
    for (int y = 0; y < panelHeight; ++y) {
        for (int x = 0; x < panelWidth; ++x) {
            if (inPanelDiamond(x, y)) mask.set(x, y, white);
        }
    }
    return mask;
}

}  // namespace artgen
