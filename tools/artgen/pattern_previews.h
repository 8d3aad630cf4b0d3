#pragma once
// The previews of the seven operation patterns: a quarter-scale piece of the field lattice with the
// clicked cell in yellow and the other covered cells in green.

#include "core/patterns.h"
#include "rgb_image.h"

namespace artgen {

inline constexpr int previewWidth = 80;
inline constexpr int previewHeight = 40;

RgbImage drawPatternPreview(const kaleidra::PatternTable& table, kaleidra::PatternType type);

}  // namespace artgen
