#include "view/status_panel.h"

#include "core/field.h"
#include "view/digit_split.h"

namespace kaleidra {

namespace {

constexpr int glyphSize = 16;
constexpr int slotCountAll = 4;

bool isDigit(std::int32_t slot) { return slot >= 0 && slot <= 9; }

}  // namespace

void drawNumber(HDC target, MemoryDC& memory, const BitmapAssets& bitmaps, std::int32_t value,
                int slotCount, int x, int y, int glyphRow) {
    const DigitSlots slots = DigitSplit(value);
    const int firstSlot = slotCountAll - slotCount;
    for (int i = 0; i < slotCount; ++i) {
        const std::int32_t slot = slots[static_cast<std::size_t>(firstSlot + i)];
        const int slotX = x + glyphSize * i;
        if (isDigit(slot)) {
            memory.select(bitmaps[BitmapId::StatusChar]);
            BitBlt(target, slotX, y, glyphSize, glyphSize, memory.get(), glyphSize * slot,
                   glyphSize * glyphRow, SRCCOPY);
        } else {
            // A blank slot shows the empty box of the background.
            memory.select(bitmaps[BitmapId::StatusBack]);
            BitBlt(target, slotX, y, glyphSize, glyphSize, memory.get(), slotX, y, SRCCOPY);
        }
    }
}

void drawStatusBackground(HDC target, MemoryDC& memory, const StatusScene& scene) {
    memory.select(scene.bitmaps[BitmapId::StatusBack]);
    BitBlt(target, 0, 0, statusWidth, statusHeight, memory.get(), 0, 0, SRCCOPY);
}

void drawColourCounts(HDC target, MemoryDC& memory, const StatusScene& scene) {
    for (std::int32_t colour = 0; colour < panelColourCount; ++colour) {
        const int glyphRow = isColourCleared(scene.state, scene.settings, colour)
                                 ? highlightedGlyphRow
                                 : normalGlyphRow;
        drawNumber(target, memory, scene.bitmaps,
                   scene.state.colourCounts[static_cast<std::size_t>(colour)], 3, 80 + 62 * colour,
                   66, glyphRow);
    }
}

void drawFieldSize(HDC target, MemoryDC& memory, const StatusScene& scene) {
    const GameSettings& settings = scene.settings;
    drawNumber(target, memory, scene.bitmaps, settings.columnsPerRow, 2, 150, 94, normalGlyphRow);
    drawNumber(target, memory, scene.bitmaps, settings.rows, 2, 220, 94, normalGlyphRow);
    drawNumber(target, memory, scene.bitmaps, settings.totalPanels, 3, 314, 94, normalGlyphRow);
}

void drawElapsedSeconds(HDC target, MemoryDC& memory, const StatusScene& scene) {
    drawNumber(target, memory, scene.bitmaps, scene.state.elapsedSeconds, 4, 104, 128,
               normalGlyphRow);
}

void drawOperationCount(HDC target, MemoryDC& memory, const StatusScene& scene) {
    drawNumber(target, memory, scene.bitmaps, scene.state.operationCount, 4, 336, 128,
               normalGlyphRow);
}

void drawClearTerms(HDC target, MemoryDC& memory, const StatusScene& scene) {
    const GameSettings& settings = scene.settings;
    drawNumber(target, memory, scene.bitmaps, settings.clearTarget, 3, 400, 66, normalGlyphRow);
    drawNumber(target, memory, scene.bitmaps, settings.clearPercentage, 3, 400, 89, normalGlyphRow);
}

void drawPatternPreview(HDC target, MemoryDC& memory, const StatusScene& scene) {
    const PatternType type = scene.settings.patternType;
    if (!isValidPatternType(type)) return;
    const auto preview = static_cast<int>(BitmapId::SetArea1) + type;
    memory.select(scene.bitmaps[static_cast<BitmapId>(preview)]);
    BitBlt(target, 511, 34, 80, 40, memory.get(), 0, 0, SRCCOPY);
}

void drawPatternCounts(HDC target, MemoryDC& memory, const StatusScene& scene) {
    const PatternType type = scene.settings.patternType;
    const std::int32_t panelCount =
        isValidPatternType(type) ? scene.patterns.patternPanelCount[static_cast<std::size_t>(type)]
                                 : 0;
    const std::int32_t covered = coveredInFieldCount(scene.settings, scene.patterns,
                                                     scene.state.cursorCol, scene.state.cursorRow);
    drawNumber(target, memory, scene.bitmaps, panelCount, 2, 564, 112, normalGlyphRow);
    drawNumber(target, memory, scene.bitmaps, covered, 2, 507, 112, normalGlyphRow);
}

void drawStatusPanel(HDC target, MemoryDC& memory, const StatusScene& scene) {
    drawStatusBackground(target, memory, scene);
    drawColourCounts(target, memory, scene);
    drawFieldSize(target, memory, scene);
    drawElapsedSeconds(target, memory, scene);
    drawOperationCount(target, memory, scene);
    drawClearTerms(target, memory, scene);
    drawPatternPreview(target, memory, scene);
    drawPatternCounts(target, memory, scene);
}

void redrawStatusItem(HWND statusWindow, const StatusScene& scene, StatusItem item) {
    WindowDC window(statusWindow);
    MemoryDC memory(window.get());
    item(window.get(), memory, scene);
}

}  // namespace kaleidra
