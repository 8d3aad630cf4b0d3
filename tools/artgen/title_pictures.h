#pragma once
// The title screen: logo, subtitle, credit line and the picture below them.

#include "fonts.h"
#include "rgb_image.h"

namespace artgen {

inline constexpr Rgb titleBackground{252, 252, 252};

RgbImage drawTitleLogo(const Fonts& fonts);
RgbImage drawTitleSubtitle(const Fonts& fonts);
RgbImage drawTitleCredit(const Fonts& fonts);

// Where the title picture shows around the field during a game (it lies at 0, 171 in the main
// window; the field window's frame covers x 13..626 and the picture's rows 0..288).
inline constexpr int fieldMarginLeft = 13;
inline constexpr int fieldMarginBottomRow = 289;

// statusPanel: the status panel as a game shows it, drawn tilted and translucent on the right.
// The top row and the right column are exact white, faded into from the picture, so that nothing
// shows a seam against the main window's white above it and in its last column; the margins around
// the field during a game show the calm background only.
RgbImage drawTitleBack(const RgbImage& statusPanel);

}  // namespace artgen
