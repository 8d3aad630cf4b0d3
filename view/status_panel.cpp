#include "view/status_panel.h"

#include "core/field.h"
#include "view/digit_split.h"

namespace kaleidra {

namespace {

constexpr int glyphSize = 16;
constexpr int slotCountAll = 4;

bool isDigit(std::int32_t slot) { return slot >= 0 && slot <= 9; }

}  // namespace

void drawNumber(HDC target, BitmapSources& sources, std::int32_t value, int slotCount, int x, int y,
                int glyphRow) {
    const DigitSlots slots = DigitSplit(value);
    const int firstSlot = slotCountAll - slotCount;
    for (int i = 0; i < slotCount; ++i) {
        const std::int32_t slot = slots[static_cast<std::size_t>(firstSlot + i)];
        const int slotX = x + glyphSize * i;
        if (isDigit(slot))
            BitBlt(target, slotX, y, glyphSize, glyphSize, sources[BitmapId::StatusChar],
                   glyphSize * slot, glyphSize * glyphRow, SRCCOPY);
        else  // a blank slot shows the empty box of the background
            BitBlt(target, slotX, y, glyphSize, glyphSize, sources[BitmapId::StatusBack], slotX, y,
                   SRCCOPY);
    }
}

void drawStatusBackground(HDC target, BitmapSources& sources, const StatusScene& /*scene*/) {
    BitBlt(target, 0, 0, statusWidth, statusHeight, sources[BitmapId::StatusBack], 0, 0, SRCCOPY);
}

void drawColourCounts(HDC target, BitmapSources& sources, const StatusScene& scene) {
    for (std::int32_t colour = 0; colour < panelColourCount; ++colour) {
        const int glyphRow = isColourCleared(scene.state, scene.settings, colour)
                                 ? highlightedGlyphRow
                                 : normalGlyphRow;
        drawNumber(target, sources, scene.state.colourCounts[static_cast<std::size_t>(colour)], 3,
                   80 + 62 * colour, 66, glyphRow);
    }
}

void drawFieldSize(HDC target, BitmapSources& sources, const StatusScene& scene) {
    const GameSettings& settings = scene.settings;
    drawNumber(target, sources, settings.columnsPerRow, 2, 150, 94, normalGlyphRow);
    drawNumber(target, sources, settings.rows, 2, 220, 94, normalGlyphRow);
    drawNumber(target, sources, settings.totalPanels, 3, 314, 94, normalGlyphRow);
}

void drawElapsedSeconds(HDC target, BitmapSources& sources, const StatusScene& scene) {
    drawNumber(target, sources, scene.state.elapsedSeconds, 4, 104, 128, normalGlyphRow);
}

void drawOperationCount(HDC target, BitmapSources& sources, const StatusScene& scene) {
    drawNumber(target, sources, scene.state.operationCount, 4, 336, 128, normalGlyphRow);
}

void drawClearTerms(HDC target, BitmapSources& sources, const StatusScene& scene) {
    const GameSettings& settings = scene.settings;
    drawNumber(target, sources, settings.clearTarget, 3, 400, 66, normalGlyphRow);
    drawNumber(target, sources, settings.clearPercentage, 3, 400, 89, normalGlyphRow);
}

void drawPatternPreview(HDC target, BitmapSources& sources, const StatusScene& scene) {
    const PatternType type = scene.settings.patternType;
    if (!isValidPatternType(type)) return;
    const auto preview = static_cast<int>(BitmapId::SetArea1) + type;
    BitBlt(target, 511, 34, 80, 40, sources[static_cast<BitmapId>(preview)], 0, 0, SRCCOPY);
}

void drawPatternCounts(HDC target, BitmapSources& sources, const StatusScene& scene) {
    const PatternType type = scene.settings.patternType;
    const std::int32_t panelCount =
        isValidPatternType(type) ? scene.patterns.patternPanelCount[static_cast<std::size_t>(type)]
                                 : 0;
    const std::int32_t covered = coveredInFieldCount(scene.settings, scene.patterns,
                                                     scene.state.cursorCol, scene.state.cursorRow);
    drawNumber(target, sources, panelCount, 2, 564, 112, normalGlyphRow);
    drawNumber(target, sources, covered, 2, 507, 112, normalGlyphRow);
}

void drawStatusPanel(HDC target, BitmapSources& sources, const StatusScene& scene) {
    drawStatusBackground(target, sources, scene);
    drawColourCounts(target, sources, scene);
    drawFieldSize(target, sources, scene);
    drawElapsedSeconds(target, sources, scene);
    drawOperationCount(target, sources, scene);
    drawClearTerms(target, sources, scene);
    drawPatternPreview(target, sources, scene);
    drawPatternCounts(target, sources, scene);
}

void redrawStatusItem(HWND statusWindow, const StatusScene& scene, StatusItem item) {
    WindowDC window(statusWindow);
    BitmapSources sources(window.get(), scene.bitmaps);
    item(window.get(), sources, scene);
}

}  // namespace kaleidra
