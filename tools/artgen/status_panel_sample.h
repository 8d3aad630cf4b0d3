#pragma once
// The status panel as it looks during a game, composed from its bitmaps the way the game does:
// the background, digits copied into the boxes and a pattern preview.

#include "rgb_image.h"

namespace artgen {

RgbImage composeSampleStatusPanel(const RgbImage& background, const RgbImage& digitSheet,
                                  const RgbImage& preview);

}  // namespace artgen
