#pragma once
// How likely each cursor position is to be among a scramble's clicks, by belief propagation over
// the cells' sums modulo 5.

#include <vector>

#include "stage_tool/click_model.h"

namespace kaleidra::stage_tool {

// Per position, the belief (0..1) that a sparse plan meeting `need` (per cell, 0..4) clicks it,
// after `rounds` rounds of messages between positions and the cells they cover.
std::vector<double> clickBeliefs(const ClickModel& model, const std::vector<std::uint8_t>& need, int rounds);

}  // namespace kaleidra::stage_tool
