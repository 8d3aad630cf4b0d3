#pragma once
// The status panel: a background picture with bitmap digits in its navy boxes.

#include <windows.h>

#include <cstdint>

#include "core/game_settings.h"
#include "core/game_state.h"
#include "core/patterns.h"
#include "view/bitmap_assets.h"
#include "view/bitmap_sources.h"

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
void drawNumber(HDC target, BitmapSources& sources, std::int32_t value, int slotCount, int x, int y,
                int glyphRow);

// The panel's items; each copies from the sources of the bitmaps it needs.
void drawStatusBackground(HDC target, BitmapSources& sources, const StatusScene& scene);
void drawColourCounts(HDC target, BitmapSources& sources, const StatusScene& scene);
void drawFieldSize(HDC target, BitmapSources& sources, const StatusScene& scene);
void drawElapsedSeconds(HDC target, BitmapSources& sources, const StatusScene& scene);
void drawOperationCount(HDC target, BitmapSources& sources, const StatusScene& scene);
void drawClearTerms(HDC target, BitmapSources& sources, const StatusScene& scene);
void drawPatternPreview(HDC target, BitmapSources& sources, const StatusScene& scene);
void drawPatternCounts(HDC target, BitmapSources& sources, const StatusScene& scene);

void drawStatusPanel(HDC target, BitmapSources& sources, const StatusScene& scene);

using StatusItem = void (*)(HDC target, BitmapSources& sources, const StatusScene& scene);
// Draws one item straight onto the status window, outside WM_PAINT.
void redrawStatusItem(HWND statusWindow, const StatusScene& scene, StatusItem item);

}  // namespace kaleidra
