#pragma once
// A status number as four digit slots (thousands to units) with blank leading slots.

#include <array>
#include <cstdint>

namespace kaleidra {

inline constexpr std::int32_t blankSlot = -1;
inline constexpr std::int32_t largestShownNumber = 9999;

using DigitSlots = std::array<std::int32_t, 4>;

DigitSlots DigitSplit(std::int32_t value);

}  // namespace kaleidra
