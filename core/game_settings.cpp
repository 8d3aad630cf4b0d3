#include "core/game_settings.h"

#include <algorithm>

namespace kaleidra {

namespace {

constexpr std::int32_t lowestClearPercentage = 30;
constexpr std::int32_t highestClearPercentage = 100;

}  // namespace

void setColumnsPerRow(GameSettings& settings, std::int32_t columns) {
    settings.columnsPerRow = columns;
    settings.totalPanels = settings.columnsPerRow * settings.rows;
}

void setRows(GameSettings& settings, std::int32_t rows) {
    settings.rows = rows;
    settings.totalPanels = settings.columnsPerRow * settings.rows;
}

void applyRules(GameSettings& settings, std::int32_t enteredPercentage) {
    settings.clearPercentage = std::clamp(enteredPercentage, lowestClearPercentage, highestClearPercentage);
    // Widened: the percentage is at most 100, so the quotient fits again.
    settings.clearTarget =
        static_cast<std::int32_t>(std::int64_t{settings.totalPanels} * settings.clearPercentage / 100);
    settings.columnMargin = 9 - settings.columnsPerRow;
    settings.rowMargin = (16 - settings.rows) / 2;
}

void setStageFilePath(GameSettings& settings, const char* path) {
    std::size_t length = 0;
    if (path != nullptr) {
        while (length + 1 < settings.stageFilePath.size() && path[length] != '\0') {
            settings.stageFilePath[length] = path[length];
            ++length;
        }
    }
    settings.stageFilePath[length] = '\0';
}

}  // namespace kaleidra
