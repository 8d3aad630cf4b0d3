#pragma once
// The rules of the next game, as the rule dialog sets them, plus the chosen operation pattern.

#include <array>
#include <cstdint>

#include "core/patterns.h"

namespace kaleidra {

enum class StageSource : std::int32_t { Random = 0, File = 1 };

// The rule dialog's path field takes 255 UTF-16 units. The path is kept as UTF-8, at most three bytes a
// unit (a pair of surrogates takes four), plus the terminator.
inline constexpr std::size_t stageFilePathUnits = 255;
inline constexpr std::size_t stageFilePathSize = 3 * stageFilePathUnits + 1;

struct GameSettings {
    std::int32_t columnsPerRow;    // 3..9
    std::int32_t rows;             // 4, 6, ..., 16
    std::int32_t totalPanels;      // columnsPerRow * rows
    std::int32_t columnMargin;     // 9 - columnsPerRow, derived by applyRules only
    std::int32_t rowMargin;        // (16 - rows) / 2, derived by applyRules only
    std::int32_t clearPercentage;  // 30..100
    std::int32_t clearTarget;      // totalPanels * clearPercentage / 100
    StageSource stageSource;
    std::array<char, stageFilePathSize> stageFilePath;  // NUL-terminated UTF-8
    PatternType patternType;
};

void setColumnsPerRow(GameSettings& settings, std::int32_t columns);
void setRows(GameSettings& settings, std::int32_t rows);
// Clamps the entered percentage to 30..100 and derives the clear target and the margins.
void applyRules(GameSettings& settings, std::int32_t enteredPercentage);
// Stores a UTF-8 path of at most 255 UTF-16 units and returns true. A longer one is never cut, since
// its first 255 units may name another file, and a malformed one is never mended: the path is
// emptied, which gives a random stage, and false returned.
bool setStageFilePath(GameSettings& settings, const char* path);

}  // namespace kaleidra
