// Feeds arbitrary stage file bytes to the stage reader and the stage generator on every field shape,
// both from memory and from a real file read as a game start reads it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include <unistd.h>

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

constexpr std::int64_t fixedSecond = 1'700'000'000;
std::int64_t theFixedSecond() { return fixedSecond; }

// One scratch file for the whole run, rewritten with every input and removed at the end.
struct ScratchFile {
    std::string path = "/tmp/kaleidra-stage-fuzz-XXXXXX";
    ScratchFile() {
        const int descriptor = mkstemp(path.data());
        check(descriptor >= 0);
        close(descriptor);
    }
    ~ScratchFile() { unlink(path.c_str()); }
};

const std::string& stageFilePath() {
    static const ScratchFile scratch;
    return scratch.path;
}

void writeStageFile(std::span<const std::uint8_t> raw) {
    std::FILE* file = std::fopen(stageFilePath().c_str(), "wb");
    check(file != nullptr);
    check(std::fwrite(raw.data(), 1, raw.size(), file) == raw.size());
    check(std::fclose(file) == 0);
}

struct Game {
    GameSettings settings{};
    GameState state{};
    Field field{};
};

Game newGame(std::int32_t columns, std::int32_t rows) {
    Game game;
    initDefaults(game.state, game.settings);
    setColumnsPerRow(game.settings, columns);
    setRows(game.settings, rows);
    applyRules(game.settings, 70);
    layoutCells(game.field);
    return game;
}

// The file as a game start reads it must give the stage that the same bytes give from memory.
void checkFileMatchesMemory(std::span<const std::uint8_t> raw, std::int32_t columns, std::int32_t rows) {
    Game fromMemory = newGame(columns, rows);
    MemoryByteSource bytes(raw);
    StageRandom random(static_cast<std::uint32_t>(fixedSecond));
    generateStageFromFile(fromMemory.field, fromMemory.state, fromMemory.settings, bytes, random);

    Game fromFile = newGame(columns, rows);
    fromFile.settings.stageSource = StageSource::File;
    check(setStageFilePath(fromFile.settings, stageFilePath().c_str()));
    generateStage(fromFile.field, fromFile.state, fromFile.settings, theFixedSecond);

    for (std::size_t col = 0; col < latticeColumns; ++col)
        for (std::size_t row = 0; row < latticeRows; ++row)
            check(fromFile.field.cells[col][row].colour == fromMemory.field.cells[col][row].colour);
    check(fromFile.state.colourCounts == fromMemory.state.colourCounts);
}

void checkShape(std::span<const std::uint8_t> raw, std::int32_t columns, std::int32_t rows) {
    Game game = newGame(columns, rows);
    GameSettings& settings = game.settings;
    GameState& state = game.state;
    Field& field = game.field;

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
    writeStageFile(raw);
    for (std::int32_t columns = 3; columns <= 9; ++columns) {
        for (std::int32_t rows = 4; rows <= 16; rows += 2) {
            checkShape(raw, columns, rows);
            checkFileMatchesMemory(raw, columns, rows);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkInput(std::span<const std::uint8_t>(data, size));
    return 0;
}
