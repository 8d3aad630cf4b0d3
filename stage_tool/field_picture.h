#pragma once
// The field as the game paints it at rest, from the game's own panel sheet.

#include <array>
#include <optional>

#include "core/field.h"
#include "core/game_settings.h"
#include "stage_tool/rgb_image.h"

namespace kaleidra::stage_tool {

inline constexpr int fieldPictureWidth = 608;  // the field window's client area
inline constexpr int fieldPictureHeight = 288;

// The sheet built into the tool: one column per colour, one row per animation frame.
// Nothing if the built-in bytes are not a bitmap the reader knows.
const std::optional<RgbImage>& panelSheet();

// White, then each in-field panel at frame 0 ANDed onto it in cell order, as the field's repaint does.
RgbImage composeFieldPicture(const Field& field, const GameSettings& settings, const RgbImage& sheet);

// The colour at the middle of each panel at rest, indexed by PanelColor.
std::array<Rgb, panelColourCount> panelColours(const RgbImage& sheet);

}  // namespace kaleidra::stage_tool
