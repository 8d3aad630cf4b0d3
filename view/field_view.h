#pragma once
// Drawing the field: full repaints, single cells with their neighbours' corners, and the cursor.

#include <cstdint>

namespace kaleidra {

// Every in-field cell at the frame, on white, without highlight: the whole window every time.
void paintField(std::int32_t frame);
// One cell's rectangle at a frame of its colour, composed off-screen; nothing for a cell off the field.
void redrawCell(std::int32_t col, std::int32_t row, std::int32_t frame);
// Moves the cursor cell and its highlight; true if the cursor cell changed.
bool moveCursor(std::int32_t x, std::int32_t y);

}  // namespace kaleidra
