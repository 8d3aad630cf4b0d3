#include "core/stage.h"

#include <algorithm>
#include <chrono>

namespace kaleidra {

namespace {

constexpr int carriageReturn = 0x0D;
constexpr int lineFeed = 0x0A;
constexpr int endOfText = 0x1A;  // the text end mark of old editors

Cell& cellAt(Field& field, std::int32_t col, std::int32_t row) {
    return field.cells[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
}

}  // namespace

std::vector<std::uint8_t> readStageContent(ByteSource& source, std::size_t maxBytes) {
    std::vector<std::uint8_t> content;
    content.reserve(std::min<std::size_t>(maxBytes, latticeColumns * latticeRows));
    constexpr int none = -2;
    int lookahead = none;  // the byte after a lone CR, already taken from the source
    while (content.size() < maxBytes) {
        int byte = lookahead != none ? lookahead : source.nextByte();
        lookahead = none;
        if (byte < 0 || byte > 0xFF || byte == endOfText) break;
        if (byte == carriageReturn) {
            const int following = source.nextByte();
            if (following == lineFeed) {
                byte = lineFeed;
            } else {
                lookahead = following;
            }
        }
        content.push_back(static_cast<std::uint8_t>(byte));
    }
    return content;
}

std::int32_t colourFromByte(std::uint8_t byte) {
    return (byte & 0x0F) % panelColourCount;
}

std::int32_t StageRandom::next() {
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<std::int32_t>((state_ >> 16) & 0x7FFFu);
}

std::int64_t calendarSeconds() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch).count();
}

void generateRandomStage(Field& field, GameState& state, const GameSettings& settings, StageRandom& random) {
    forEachInFieldCell(settings, [&](std::int32_t col, std::int32_t row) {
        cellAt(field, col, row).colour = random.next() % panelColourCount;
    });
    recountColours(state, field, settings);
}

void generateStageFromFile(Field& field, GameState& state, const GameSettings& settings, ByteSource& file,
                           StageRandom& random) {
    // Content beyond the cells is never read; a shorter one repeats from its first byte.
    const auto cellCount = static_cast<std::size_t>(inFieldCellCount(settings));
    const std::vector<std::uint8_t> content = readStageContent(file, cellCount);
    if (content.empty()) {
        generateRandomStage(field, state, settings, random);
        return;
    }
    colourCellsFromContent(field, state, settings, content);
}

void colourCellsFromContent(Field& field, GameState& state, const GameSettings& settings,
                            std::span<const std::uint8_t> content) {
    if (content.empty()) return;
    std::size_t next = 0;
    forEachInFieldCell(settings, [&](std::int32_t col, std::int32_t row) {
        cellAt(field, col, row).colour = colourFromByte(content[next % content.size()]);
        ++next;
    });
    recountColours(state, field, settings);
}

void generateStage(Field& field, GameState& state, const GameSettings& settings, CalendarClock clock) {
    // Seeded for both sources; a file that gives nothing falls back on this same generator.
    StageRandom random(static_cast<std::uint32_t>(clock()));
    if (settings.stageSource != StageSource::File) {
        generateRandomStage(field, state, settings, random);
        return;
    }
    // A buffer filled to its end without a terminator held a longer path: reading only its first
    // bytes would open another file, so such a path cannot be opened.
    const auto& path = settings.stageFilePath;
    if (std::find(path.begin(), path.end(), '\0') == path.end()) {
        generateRandomStage(field, state, settings, random);
        return;
    }
    FileByteSource file(path.data());
    generateStageFromFile(field, state, settings, file, random);
}

}  // namespace kaleidra
