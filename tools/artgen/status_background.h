#pragma once
// The status panel's background: green panel art with its English labels, navy boxes under
// every number and a sunken frame for the pattern preview.

#include "fonts.h"
#include "rgb_image.h"

namespace artgen {

inline constexpr Rgb previewAreaColour{0, 72, 24};

RgbImage drawStatusBackground(const Fonts& fonts);

}  // namespace artgen
