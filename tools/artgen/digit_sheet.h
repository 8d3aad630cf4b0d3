#pragma once
// The status panel's digits: 0..9 in 16 x 16 cells on navy, white in the upper row and light
// yellow (the colour of a cleared count) in the lower row.

#include "fonts.h"
#include "rgb_image.h"

namespace artgen {

RgbImage drawDigitSheet(const Fonts& fonts);

}  // namespace artgen
