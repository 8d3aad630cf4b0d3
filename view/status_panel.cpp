#include "view/status_panel.h"

#include "app/program.h"
#include "core/field.h"
#include "view/digit_split.h"

namespace kaleidra {

namespace {

constexpr int glyphSize = 16;
constexpr int slotCountAll = 4;

bool isDigit(std::int32_t slot) { return slot >= 0 && slot <= 9; }

}  // namespace

void drawNumber(HDC target, MemoryDC& memory, std::int32_t value, int slotCount, int x, int y,
                int glyphRow) {
    const BitmapAssets& bitmaps = program().bitmaps;
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

void drawStatusBackground(HDC target, MemoryDC& memory) {
    memory.select(program().bitmaps[BitmapId::StatusBack]);
    BitBlt(target, 0, 0, statusWidth, statusHeight, memory.get(), 0, 0, SRCCOPY);
}

void drawColourCounts(HDC target, MemoryDC& memory) {
    const Program& p = program();
    for (std::int32_t colour = 0; colour < panelColourCount; ++colour) {
        const int glyphRow =
            isColourCleared(p.state, p.settings, colour) ? highlightedGlyphRow : normalGlyphRow;
        drawNumber(target, memory, p.state.colourCounts[static_cast<std::size_t>(colour)], 3,
                   80 + 62 * colour, 66, glyphRow);
    }
}

void drawFieldSize(HDC target, MemoryDC& memory) {
    const GameSettings& settings = program().settings;
    drawNumber(target, memory, settings.columnsPerRow, 2, 150, 94, normalGlyphRow);
    drawNumber(target, memory, settings.rows, 2, 220, 94, normalGlyphRow);
    drawNumber(target, memory, settings.totalPanels, 3, 314, 94, normalGlyphRow);
}

void drawElapsedSeconds(HDC target, MemoryDC& memory) {
    drawNumber(target, memory, program().state.elapsedSeconds, 4, 104, 128, normalGlyphRow);
}

void drawOperationCount(HDC target, MemoryDC& memory) {
    drawNumber(target, memory, program().state.operationCount, 4, 336, 128, normalGlyphRow);
}

void drawClearTerms(HDC target, MemoryDC& memory) {
    const GameSettings& settings = program().settings;
    drawNumber(target, memory, settings.clearTarget, 3, 400, 66, normalGlyphRow);
    drawNumber(target, memory, settings.clearPercentage, 3, 400, 89, normalGlyphRow);
}

void drawPatternPreview(HDC target, MemoryDC& memory) {
    const Program& p = program();
    if (!isValidPatternType(p.settings.patternType)) return;
    const auto preview = static_cast<int>(BitmapId::SetArea1) + p.settings.patternType;
    memory.select(p.bitmaps[static_cast<BitmapId>(preview)]);
    BitBlt(target, 511, 34, 80, 40, memory.get(), 0, 0, SRCCOPY);
}

void drawPatternCounts(HDC target, MemoryDC& memory) {
    const Program& p = program();
    const PatternType type = p.settings.patternType;
    const std::int32_t panelCount =
        isValidPatternType(type) ? p.patterns.patternPanelCount[static_cast<std::size_t>(type)] : 0;
    drawNumber(target, memory, panelCount, 2, 564, 112, normalGlyphRow);
    drawNumber(target, memory,
               coveredInFieldCount(p.settings, p.patterns, p.state.cursorCol, p.state.cursorRow), 2,
               507, 112, normalGlyphRow);
}

void drawStatusPanel(HDC target, MemoryDC& memory) {
    drawStatusBackground(target, memory);
    drawColourCounts(target, memory);
    drawFieldSize(target, memory);
    drawElapsedSeconds(target, memory);
    drawOperationCount(target, memory);
    drawClearTerms(target, memory);
    drawPatternPreview(target, memory);
    drawPatternCounts(target, memory);
}

void redrawStatusItem(StatusItem item) {
    const Program& p = program();
    if (p.shutDown) return;
    WindowDC window(p.statusWindow);
    MemoryDC memory(window.get());
    item(window.get(), memory);
}

}  // namespace kaleidra
