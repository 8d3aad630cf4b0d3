#pragma once
// The --size and --percent options shared by the commands.

#include <optional>

#include "core/game_settings.h"
#include "stage_tool/command_line.h"

namespace kaleidra::stage_tool {

// The game's rules from the options; a percentage outside 30..100 is clamped as the game does and
// the clamp is said. Nothing, after the usage error, for a size or number not understood.
std::optional<GameSettings> rulesFromOptions(const CommandArguments& arguments, const CommandOutput& output);

inline constexpr std::string_view sizeHelp =
    "  --size COLSxROWS  field shape: 3..9 panels per row, an even 4..16 rows (default 9x16)\n";
inline constexpr std::string_view percentHelp =
    "  --percent P       clear percentage; outside 30..100 it is clamped as the game does (default 70)\n";

}  // namespace kaleidra::stage_tool
