#pragma once
// The field's cursor highlight: a band 12 pixels wide (across a row) that follows the panel's
// outline, drawn as two concentric coloured diamond outlines.

#include "rgb_image.h"

namespace artgen {

// White on the band, black elsewhere.
RgbImage drawCursorMask();
// The outlines on the band; exact white everywhere else.
RgbImage drawCursorImage();

}  // namespace artgen
