#include "core/game_settings.h"

#include <algorithm>
#include <string_view>

#include "core/unicode_text.h"

namespace kaleidra {

namespace {

constexpr std::int32_t lowestClearPercentage = 30;
constexpr std::int32_t highestClearPercentage = 100;
constexpr std::int32_t fewestColumns = 3;
constexpr std::int32_t mostColumns = 9;
constexpr std::int32_t fewestRows = 4;
constexpr std::int32_t mostRows = 16;

}  // namespace

// Sizes outside the choice lists are pulled into range, so the field always holds totalPanels cells.
void setColumnsPerRow(GameSettings& settings, std::int32_t columns) {
    settings.columnsPerRow = std::clamp(columns, fewestColumns, mostColumns);
    settings.totalPanels = settings.columnsPerRow * settings.rows;
}

void setRows(GameSettings& settings, std::int32_t rows) {
    settings.rows = std::clamp(rows, fewestRows, mostRows) / 2 * 2;  // the field's rows come in pairs
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

bool setStageFilePath(GameSettings& settings, const char* path) {
    settings.stageFilePath.fill('\0');
    if (path == nullptr) return true;
    const std::string_view text(path);
    const std::optional<std::u16string> units = utf16FromUtf8(text);
    if (!units || units->size() > stageFilePathUnits || text.size() >= settings.stageFilePath.size())
        return false;
    std::copy(text.begin(), text.end(), settings.stageFilePath.begin());
    return true;
}

}  // namespace kaleidra
