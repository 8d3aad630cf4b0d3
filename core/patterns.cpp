#include "core/patterns.h"

#include <algorithm>
#include <limits>

namespace kaleidra {

namespace {

constexpr PatternOffset endOfList{patternEndMarker, 0};

// Each list in visiting order; the end marker and the zero entries after it are added when filling.
struct PatternList {
    PatternType type;
    std::int32_t panelCount;
    std::array<PatternOffset, patternWalkBound> panels;
};

constexpr std::array<PatternList, patternTypeCount> patternLists{{
    {TypeA, 5, {{{0, 0}, {0, -1}, {-1, -1}, {0, 1}, {1, 1}}}},
    {TypeB, 5, {{{0, 0}, {1, 0}, {-1, -2}, {-1, 0}, {1, 2}}}},
    {TypeC, 9, {{{0, 0}, {1, 0}, {0, -1}, {-1, -2}, {-1, -1}, {-1, 0}, {0, 1}, {1, 2}, {1, 1}}}},
    {TypeD, 9, {{{0, 0}, {0, -1}, {0, -2}, {-1, -1}, {-2, -2}, {0, 1}, {0, 2}, {1, 1}, {2, 2}}}},
    {TypeE, 9, {{{0, 0}, {1, 0}, {2, 0}, {-1, -2}, {-2, -4}, {-1, 0}, {-2, 0}, {1, 2}, {2, 4}}}},
    {TypeF, 13, {{{0, 0}, {1, 0}, {0, -1}, {-1, -2}, {-1, -1}, {-1, 0}, {0, 1}, {1, 2}, {1, 1},
                  {0, -2}, {-2, -2}, {0, 2}, {2, 2}}}},
    {TypeG, 13, {{{0, 0}, {1, 0}, {0, -1}, {-1, -2}, {-1, -1}, {-1, 0}, {0, 1}, {1, 2}, {1, 1},
                  {2, 0}, {-2, -4}, {-2, 0}, {2, 4}}}},
}};

std::int32_t saturatingAdd(std::int32_t base, std::int32_t delta) {
    const std::int64_t sum = std::int64_t{base} + delta;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void initPatternTable(PatternTable& table) {
    for (const PatternList& list : patternLists) {
        const auto type = static_cast<std::size_t>(list.type);
        for (std::size_t entry = 0; entry < patternEntryCount; ++entry) {
            const auto index = static_cast<std::int32_t>(entry);
            if (index < list.panelCount) {
                table.entries[entry][type] = list.panels[entry];
            } else if (index == list.panelCount) {
                table.entries[entry][type] = endOfList;
            } else {
                table.entries[entry][type] = PatternOffset{0, 0};
            }
        }
        table.patternPanelCount[type] = list.panelCount;
    }
}

bool isValidPatternType(std::int32_t type) {
    return type >= TypeA && type <= TypeG;
}

PatternOffset patternOffset(const PatternTable& table, PatternType type, std::int32_t entry) {
    if (!isValidPatternType(type) || entry < 0 || entry >= patternEntryCount) return endOfList;
    return table.entries[static_cast<std::size_t>(entry)][static_cast<std::size_t>(type)];
}

LatticePosition coveredCell(std::int32_t col, std::int32_t row, PatternOffset offset) {
    return {saturatingAdd(col, offset.dcol), saturatingAdd(row, offset.drow)};
}

}  // namespace kaleidra
