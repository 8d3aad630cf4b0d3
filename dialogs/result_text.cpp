#include "dialogs/result_text.h"

#include <cstdio>

namespace kaleidra {

namespace {

// Written as Shift-JIS bytes so that every compiler, whatever its literal encoding, gives the
// bytes the dialog shows.
constexpr char clearTermsFormat[] = "%3d\x81\x93 (%3d\x83\x7D\x83\x58)";          // "%3d％ (%3dマス)"
constexpr char timeFormat[] = "%d \x95\x62\x81\x40(%02d:%02d:%02d)";              // "%d 秒　(…)"
constexpr char operationsFormat[] =
    "%d \x89\xF1\x81\x40(\x83\x67\x81\x5B\x83\x5E\x83\x8B %d \x96\x87)";          // "%d 回　(トータル %d 枚)"
constexpr char countFormat[] = "%3d \x96\x87";                                    // "%3d 枚"
constexpr char clearedMark[] = "\x81\x99";                                        // "☆"
constexpr char notClearedMark[] = "\x81\x7E";                                     // "×"

template <typename... Values>
void write(ResultLine& line, const char* format, Values... values) {
    std::snprintf(line.data(), line.size(), format, values...);
}

}  // namespace

ResultTexts formatResult(const GameSettings& settings, const GameState& state) {
    ResultTexts texts{};
    write(texts.columns, "%d", settings.columnsPerRow);
    write(texts.rows, "%d", settings.rows);
    write(texts.total, "%d", settings.totalPanels);
    write(texts.clearTerms, clearTermsFormat, settings.clearPercentage, settings.clearTarget);

    const std::int32_t seconds = state.elapsedSeconds;
    const std::int32_t totalMinutes = seconds / 60;
    const std::int32_t hours = totalMinutes / 60;
    write(texts.time, timeFormat, seconds, hours, totalMinutes - 60 * hours,
          seconds - 60 * totalMinutes);
    write(texts.operations, operationsFormat, state.operationCount, state.flippedTotal);

    for (std::int32_t colour = 0; colour < panelColourCount; ++colour) {
        const auto k = static_cast<std::size_t>(colour);
        write(texts.marks[k], "%s",
              isColourCleared(state, settings, colour) ? clearedMark : notClearedMark);
        write(texts.counts[k], countFormat, state.colourCounts[k]);
    }
    texts.cleared = isGameCleared(state, settings);
    return texts;
}

}  // namespace kaleidra
