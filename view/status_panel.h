#pragma once
// The status panel: a background picture with bitmap digits in its navy boxes.

#include <windows.h>

#include <cstdint>

#include "core/game_settings.h"
#include "core/game_state.h"
#include "core/patterns.h"
#include "view/bitmap_assets.h"
#include "view/gdi.h"

namespace kaleidra {

inline constexpr int statusWidth = 640;
inline constexpr int statusHeight = 160;

inline constexpr int normalGlyphRow = 0;
inline constexpr int highlightedGlyphRow = 1;

// What the panel is drawn from; the view only reads it.
struct StatusScene {
    const GameSettings& settings;
    const GameState& state;
    const PatternTable& patterns;
    const BitmapAssets& bitmaps;
};

// Draws the last slotCount digit slots of value (ending at units) from (x, y) rightwards.
void drawNumber(HDC target, MemoryDC& memory, const BitmapAssets& bitmaps, std::int32_t value,
                int slotCount, int x, int y, int glyphRow);

// The panel's items; each selects the bitmap it needs into the memory context.
void drawStatusBackground(HDC target, MemoryDC& memory, const StatusScene& scene);
void drawColourCounts(HDC target, MemoryDC& memory, const StatusScene& scene);
void drawFieldSize(HDC target, MemoryDC& memory, const StatusScene& scene);
void drawElapsedSeconds(HDC target, MemoryDC& memory, const StatusScene& scene);
void drawOperationCount(HDC target, MemoryDC& memory, const StatusScene& scene);
void drawClearTerms(HDC target, MemoryDC& memory, const StatusScene& scene);
void drawPatternPreview(HDC target, MemoryDC& memory, const StatusScene& scene);
void drawPatternCounts(HDC target, MemoryDC& memory, const StatusScene& scene);

void drawStatusPanel(HDC target, MemoryDC& memory, const StatusScene& scene);

using StatusItem = void (*)(HDC target, MemoryDC& memory, const StatusScene& scene);
// Draws one item straight onto the status window, outside WM_PAINT.
void redrawStatusItem(HWND statusWindow, const StatusScene& scene, StatusItem item);

}  // namespace kaleidra
