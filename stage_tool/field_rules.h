#pragma once
// The field size and clear percentage a command works with, set as the rule dialog sets them.

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/game_settings.h"

namespace kaleidra::stage_tool {

struct FieldSize {
    std::int32_t columns = 9;
    std::int32_t rows = 16;
};

inline constexpr std::int32_t defaultPercentage = 70;

// "COLSxROWS" with 3..9 columns and an even 4..16 rows, the shapes the rule dialog offers.
std::optional<FieldSize> parseFieldSize(std::string_view text);
// A whole decimal number within lowest..highest, nothing else.
std::optional<std::int64_t> parseWholeNumber(std::string_view text, std::int64_t lowest, std::int64_t highest);

// The rules of a game of that size; the percentage is clamped to 30..100 as the game does.
GameSettings settingsFor(FieldSize size, std::int32_t enteredPercentage);

}  // namespace kaleidra::stage_tool
