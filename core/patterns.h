#pragma once
// The seven operation patterns: ordered lists of lattice offsets around the cursor cell.

#include <array>
#include <cstdint>

namespace kaleidra {

enum PatternType : std::int32_t { TypeA, TypeB, TypeC, TypeD, TypeE, TypeF, TypeG };

inline constexpr int patternTypeCount = 7;
inline constexpr int patternEntryCount = 14;  // the longest list (13) plus its end marker
inline constexpr int patternWalkBound = 13;   // one-pass walks stop here even without a marker
inline constexpr std::int32_t patternEndMarker = -10;

struct PatternOffset {
    std::int32_t dcol;
    std::int32_t drow;
};

struct LatticePosition {
    std::int32_t col;
    std::int32_t row;
    bool operator==(const LatticePosition&) const = default;
};

struct PatternTable {
    // Stored entry by entry: entries[entry][type].
    std::array<std::array<PatternOffset, patternTypeCount>, patternEntryCount> entries;
    std::array<std::int32_t, patternTypeCount> patternPanelCount;
};

void initPatternTable(PatternTable& table);
bool isValidPatternType(std::int32_t type);
// Entry of a list; the end marker for an entry or type outside the table.
PatternOffset patternOffset(const PatternTable& table, PatternType type, std::int32_t entry);
// The cell an entry covers around (col, row); saturates, so any cursor position is safe.
LatticePosition coveredCell(std::int32_t col, std::int32_t row, PatternOffset offset);

// Calls visit(dcol, drow) for each panel of the list in visiting order: stops at the end marker
// and after patternWalkBound entries.
template <typename Visit>
void forEachPatternOffset(const PatternTable& table, PatternType type, Visit&& visit) {
    for (std::int32_t entry = 0; entry < patternWalkBound; ++entry) {
        const PatternOffset offset = patternOffset(table, type, entry);
        if (offset.dcol == patternEndMarker) return;
        visit(offset.dcol, offset.drow);
    }
}

}  // namespace kaleidra
