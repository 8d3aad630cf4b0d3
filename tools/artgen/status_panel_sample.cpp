#include "status_panel_sample.h"

#include "status_layout.h"

namespace artgen {

namespace {

// Copies the number's digits right-aligned into the box; leading slots keep the empty box.
void drawNumber(RgbImage& panel, const RgbImage& digitSheet, const DigitBox& box, int value, int glyphRow) {
    for (int slot = box.slots - 1; slot >= 0; --slot) {
        const int digit = value % 10;
        for (int y = 0; y < digitSize; ++y) {
            for (int x = 0; x < digitSize; ++x) {
                panel.set(box.x + slot * digitSize + x, box.y + y,
                          digitSheet.at(digit * digitSize + x, glyphRow * digitSize + y));
            }
        }
        value /= 10;
        if (value == 0) break;
    }
}

}  // namespace

RgbImage composeSampleStatusPanel(const RgbImage& background, const RgbImage& digitSheet,
                                  const RgbImage& preview) {
    constexpr int clearTarget = 43;
    constexpr int colourCounts[] = {27, 44, 25, 21, 27};
    RgbImage panel = background;
    for (std::size_t k = 0; k < colourCountBoxes.size(); ++k) {
        drawNumber(panel, digitSheet, colourCountBoxes[k], colourCounts[k],
                   colourCounts[k] >= clearTarget ? 1 : 0);
    }
    drawNumber(panel, digitSheet, columnsBox, 9, 0);
    drawNumber(panel, digitSheet, rowsBox, 16, 0);
    drawNumber(panel, digitSheet, totalPanelsBox, 144, 0);
    drawNumber(panel, digitSheet, clearTargetBox, clearTarget, 0);
    drawNumber(panel, digitSheet, clearPercentageBox, 30, 0);
    drawNumber(panel, digitSheet, secondsBox, 128, 0);
    drawNumber(panel, digitSheet, turnsBox, 1024, 0);
    drawNumber(panel, digitSheet, patternPanelsBox, 9, 0);
    drawNumber(panel, digitSheet, coveredPanelsBox, 6, 0);
    panel.paste(preview, patternPreviewArea.x, patternPreviewArea.y);
    return panel;
}

}  // namespace artgen
