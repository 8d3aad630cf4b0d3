#pragma once
// Drawing the field: full repaints, single cells with their neighbours' corners, and the cursor.

#include <windows.h>

#include <cstdint>

#include "core/field.h"
#include "core/flip.h"
#include "core/game_settings.h"
#include "core/game_state.h"
#include "core/patterns.h"
#include "view/bitmap_assets.h"

namespace kaleidra {

inline constexpr int fieldClientWidth = 608;
inline constexpr int fieldClientHeight = 288;

// What the field is drawn from; the view only reads it.
struct FieldScene {
    const Field& field;
    const GameSettings& settings;
    const PatternTable& patterns;
    const BitmapAssets& bitmaps;
};

// Every in-field cell on white, without highlight: the whole window every time. Each cell is at
// rest, except a panel in motion, which stays at the frame the running operation last drew.
void paintField(HWND fieldWindow, const FieldScene& scene, const PanelInMotion& inMotion);
// One cell's rectangle at a frame of its colour, composed off-screen; nothing for a cell off the field.
void redrawCell(HWND fieldWindow, const FieldScene& scene, std::int32_t col, std::int32_t row,
                std::int32_t frame);
// Moves the highlight of the current pattern from the state's cursor cell to the cell under (x, y),
// which becomes the cursor cell; false, with nothing drawn, when that is the same cell.
bool moveCursor(HWND fieldWindow, const FieldScene& scene, GameState& state, std::int32_t x,
                std::int32_t y);

}  // namespace kaleidra
