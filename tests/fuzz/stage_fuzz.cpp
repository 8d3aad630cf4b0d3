// Feeds arbitrary stage file bytes to the stage reader and the stage generator on every field shape.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "core/stage.h"

namespace {

using namespace kaleidra;

void check(bool holds) {
    if (!holds) std::abort();
}

// The reading rules, written as a second, index-based reader.
std::vector<std::uint8_t> expectedContent(std::span<const std::uint8_t> raw, std::size_t maxBytes) {
    std::vector<std::uint8_t> content;
    for (std::size_t i = 0; i < raw.size() && content.size() < maxBytes; ++i) {
        if (raw[i] == 0x1A) break;
        const bool crLf = raw[i] == 0x0D && i + 1 < raw.size() && raw[i + 1] == 0x0A;
        content.push_back(crLf ? std::uint8_t{0x0A} : raw[i]);
        if (crLf) ++i;
    }
    return content;
}

void checkShape(std::span<const std::uint8_t> raw, std::int32_t columns, std::int32_t rows) {
    GameSettings settings{};
    GameState state{};
    initDefaults(state, settings);
    setColumnsPerRow(settings, columns);
    setRows(settings, rows);
    applyRules(settings, 70);
    Field field{};
    layoutCells(field);

    MemoryByteSource file(raw);
    StageRandom random(static_cast<std::uint32_t>(raw.size()));
    generateStageFromFile(field, state, settings, file, random);

    const std::vector<std::uint8_t> content =
        expectedContent(raw, static_cast<std::size_t>(settings.totalPanels));
    std::array<std::int32_t, panelColourCount> cellsOfColour{};
    std::size_t next = 0;
    for (std::int32_t row = 0; row < latticeRows; ++row) {
        for (std::int32_t col = 0; col < latticeColumns; ++col) {
            const std::int32_t colour =
                field.cells[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)].colour;
            if (!isInField(settings, col, row)) {
                check(colour == NoPanel);
                continue;
            }
            check(colour >= 0 && colour < panelColourCount);
            if (!content.empty()) check(colour == colourFromByte(content[next % content.size()]));
            ++next;
            ++cellsOfColour[static_cast<std::size_t>(colour)];
        }
    }
    check(next == static_cast<std::size_t>(settings.totalPanels));
    check(cellsOfColour == state.colourCounts);
}

void checkInput(std::span<const std::uint8_t> raw) {
    for (const std::size_t maxBytes :
         {std::size_t{0}, std::size_t{1}, std::size_t{12}, std::size_t{144}, SIZE_MAX}) {
        MemoryByteSource source(raw);
        check(readStageContent(source, maxBytes) == expectedContent(raw, maxBytes));
    }
    for (std::int32_t columns = 3; columns <= 9; ++columns) {
        for (std::int32_t rows = 4; rows <= 16; rows += 2) checkShape(raw, columns, rows);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkInput(std::span<const std::uint8_t>(data, size));
    return 0;
}
