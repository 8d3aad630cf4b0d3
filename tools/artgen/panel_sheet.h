#pragma once
// The panel sheet (5 colours across, 5 animation frames down, 64 x 32 each) and its mask.

#include "rgb_image.h"

namespace artgen {

// Colour k, frame f at (64 k, 32 f). Frame 0 rests in colour k; frames 1 to 3 slide colour k + 1
// in from the upper-right edge over about a quarter, a half and three quarters of the diamond;
// frame 4 is colour k + 1 whole, the same as frame 0 of the next column.
RgbImage drawPanelSheet();

// White on the diamond, black elsewhere.
RgbImage drawPanelMask();

}  // namespace artgen
