#pragma once
// The title screen: logo, subtitle, credit line and the picture below them.

#include "fonts.h"
#include "rgb_image.h"

namespace artgen {

inline constexpr Rgb titleBackground{252, 252, 252};

RgbImage drawTitleLogo(const Fonts& fonts);
RgbImage drawTitleSubtitle(const Fonts& fonts);
RgbImage drawTitleCredit(const Fonts& fonts);

// statusPanel: the status panel as a game shows it, drawn tilted and translucent on the right.
RgbImage drawTitleBack(const RgbImage& statusPanel);

}  // namespace artgen
