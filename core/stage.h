#pragma once
// Stage generation: random colours, or the bytes of a stage file read as text.

#include <cstdint>
#include <span>
#include <vector>

#include "core/byte_source.h"
#include "core/field.h"
#include "core/game_settings.h"
#include "core/game_state.h"

namespace kaleidra {

// Reads the content of a stage file as text (CR LF is one LF, 0x1A ends it), at most maxBytes.
std::vector<std::uint8_t> readStageContent(ByteSource& source, std::size_t maxBytes);

std::int32_t colourFromByte(std::uint8_t byte);

// The game's own generator, so that every build gives the same stage for the same seed.
class StageRandom {
public:
    explicit StageRandom(std::uint32_t seed) : state_(seed) {}
    std::int32_t next();  // 0..32767

private:
    std::uint32_t state_;
};

using CalendarClock = std::int64_t (*)();
std::int64_t calendarSeconds();

// Colours every in-field cell from settings.stageSource and stageFilePath, then recounts.
void generateStage(Field& field, GameState& state, const GameSettings& settings,
                   CalendarClock clock = calendarSeconds);

// Colours every in-field cell in cell order from content already read, repeating it when it is
// shorter than the field, then recounts. Empty content leaves the cells as they are.
void colourCellsFromContent(Field& field, GameState& state, const GameSettings& settings,
                            std::span<const std::uint8_t> content);

// The two ways generateStage colours the cells. A file that yields no byte gives a random stage.
void generateRandomStage(Field& field, GameState& state, const GameSettings& settings, StageRandom& random);
void generateStageFromFile(Field& field, GameState& state, const GameSettings& settings, ByteSource& file,
                           StageRandom& random);

}  // namespace kaleidra
