#pragma once
// The field as text: one line per field row, each panel under its place in the diamond lattice.

#include <array>
#include <ostream>

#include "stage_tool/loaded_stage.h"
#include "stage_tool/rgb_image.h"

namespace kaleidra::stage_tool {

// Whether standard output is a terminal; on Windows it also readies the console for colour escapes.
bool standardOutputIsTerminal();

// Diamonds in the panels' 24-bit colours, or the letters R Y G B P.
void writeFieldText(std::ostream& out, const LoadedStage& stage, bool inColour,
                    const std::array<Rgb, panelColourCount>& colours);

inline constexpr std::array<char, panelColourCount> colourLetters{'R', 'Y', 'G', 'B', 'P'};
inline constexpr std::array<const char*, panelColourCount> colourNames{"red", "yellow", "green", "light blue",
                                                                       "purple"};

}  // namespace kaleidra::stage_tool
