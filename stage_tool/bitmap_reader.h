#pragma once
// Reads an uncompressed 8-bit palette Windows bitmap, the form of the game's panel sheet.

#include <cstdint>
#include <optional>
#include <span>

#include "stage_tool/rgb_image.h"

namespace kaleidra::stage_tool {

// Nothing for bytes that are not such a bitmap or are cut short.
std::optional<RgbImage> readPaletteBitmap(std::span<const std::uint8_t> bytes);

}  // namespace kaleidra::stage_tool
