#pragma once
// Reduces a 24-bit picture to a palette of at most maxColours entries.

#include <span>

#include "indexed_image.h"
#include "rgb_image.h"

namespace artgen {

// Colours listed in exactColours keep their exact value and are never used for any other pixel,
// so a pixel is white (say) in the result exactly where it was white in the source. The other
// colours share the remaining entries (variance-splitting median cut, no dithering). The result
// depends only on the pixels, never on memory layout, so repeated runs give the same bytes.
IndexedImage quantize(const RgbImage& image, int maxColours, std::span<const Rgb> exactColours);

}  // namespace artgen
