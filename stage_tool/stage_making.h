#pragma once
// Stage files written so that they fill one field shape exactly: a digit 0..4 per panel, cell order.

#include <array>
#include <cstdint>
#include <string>

#include "core/field.h"
#include "core/game_settings.h"
#include "stage_tool/rgb_image.h"

namespace kaleidra::stage_tool {

// The digits of a coloured field, in the order the game hands stage bytes to cells.
std::string stageDigits(const Field& field, const GameSettings& settings);

// A random stage from the game's own generator with that seed.
std::string randomStageDigits(const GameSettings& settings, std::uint32_t seed);

// The picture stretched over the field's extent, sampled at each panel's centre, each sample
// given the perceptually nearest panel colour.
std::string pictureStageDigits(const RgbImage& picture, const GameSettings& settings,
                               const std::array<Rgb, panelColourCount>& panelPalette);

}  // namespace kaleidra::stage_tool
