#pragma once
// The status panel: a background picture with bitmap digits in its navy boxes.

#include <windows.h>

#include <cstdint>

#include "view/gdi.h"

namespace kaleidra {

inline constexpr int normalGlyphRow = 0;
inline constexpr int highlightedGlyphRow = 1;

// Draws the last slotCount digit slots of value (ending at units) from (x, y) rightwards.
void drawNumber(HDC target, MemoryDC& memory, std::int32_t value, int slotCount, int x, int y,
                int glyphRow);

// The panel's items; each selects the bitmap it needs into the memory context.
void drawStatusBackground(HDC target, MemoryDC& memory);
void drawColourCounts(HDC target, MemoryDC& memory);
void drawFieldSize(HDC target, MemoryDC& memory);
void drawElapsedSeconds(HDC target, MemoryDC& memory);
void drawOperationCount(HDC target, MemoryDC& memory);
void drawClearTerms(HDC target, MemoryDC& memory);
void drawPatternPreview(HDC target, MemoryDC& memory);
void drawPatternCounts(HDC target, MemoryDC& memory);

void drawStatusPanel(HDC target, MemoryDC& memory);

using StatusItem = void (*)(HDC target, MemoryDC& memory);
// Draws one item straight onto the status window, outside WM_PAINT.
void redrawStatusItem(StatusItem item);

}  // namespace kaleidra
