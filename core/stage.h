#pragma once
// Stage generation: random colours, or the bytes of a stage file read as text.

#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/field.h"
#include "core/game_settings.h"
#include "core/game_state.h"

namespace kaleidra {

// A stream of raw bytes: nextByte() gives 0..255, or -1 at the end or on a read error.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual int nextByte() = 0;
};

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

}  // namespace kaleidra
