#pragma once
// The game's panel sheet (field_panel.bmp), built into the tool.

#include <cstdint>
#include <span>

namespace kaleidra::stage_tool {

std::span<const std::uint8_t> panelSheetBytes();

}  // namespace kaleidra::stage_tool
