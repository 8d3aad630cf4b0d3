#pragma once
// The pictures of the result dialog, 80 x 80 each.

#include "fonts.h"
#include "rgb_image.h"

namespace artgen {

RgbImage drawClearPicture(const Fonts& fonts);
RgbImage drawNotClearPicture(const Fonts& fonts);

}  // namespace artgen
