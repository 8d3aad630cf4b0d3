#include "view/field_view.h"

#include "app/program.h"
#include "view/cell_at_pixel.h"
#include "view/gdi.h"
#include "view/status_panel.h"

namespace kaleidra {

namespace {

constexpr int animationFrames = 5;

bool isDrawableColour(std::int32_t colour) { return colour >= 0 && colour < panelColourCount; }

const Cell& cellAt(std::int32_t col, std::int32_t row) {
    return program().field.cells[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
}

void copyPanelPiece(HDC target, int x, int y, HDC panelSheet, std::int32_t colour,
                    std::int32_t frame, DWORD rasterOperation) {
    BitBlt(target, x, y, panelWidth, panelHeight, panelSheet, panelWidth * colour,
           panelHeight * frame, rasterOperation);
}

void fillWhite(HDC target, int width, int height) {
    const RECT area{0, 0, width, height};
    FillRect(target, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void drawHighlight(HDC target, MemoryDC& memory, const Cell& cell) {
    const BitmapAssets& bitmaps = program().bitmaps;
    memory.select(bitmaps[BitmapId::FieldCursorMask]);
    BitBlt(target, cell.x, cell.y, panelWidth, panelHeight, memory.get(), 0, 0, SRCPAINT);
    memory.select(bitmaps[BitmapId::FieldCursor]);
    BitBlt(target, cell.x, cell.y, panelWidth, panelHeight, memory.get(), 0, 0, SRCAND);
}

}  // namespace

void paintField(std::int32_t frame) {
    const Program& p = program();
    // Sent WM_PAINTs come with no update region: take the whole window, so the field is complete.
    const RECT whole{0, 0, fieldClientWidth, fieldClientHeight};
    InvalidateRect(p.fieldWindow, &whole, FALSE);
    PaintDC paint(p.fieldWindow);
    if (frame < 0 || frame >= animationFrames) return;
    // Composed off-screen on white, since SRCAND needs a white base, then copied in one go.
    // The bitmap is declared first so that the DC lets go of it before it is deleted.
    CompatibleBitmap scratchImage(paint.get(), fieldClientWidth, fieldClientHeight);
    MemoryDC scratch(paint.get());
    scratch.select(scratchImage.get());
    fillWhite(scratch.get(), fieldClientWidth, fieldClientHeight);
    MemoryDC sheet(paint.get());
    sheet.select(p.bitmaps[BitmapId::FieldPanel]);
    for (std::int32_t row = 0; row < latticeRows; ++row) {
        for (std::int32_t col = 0; col < latticeColumns; ++col) {
            if (!isInField(p.settings, col, row)) continue;
            const Cell& cell = cellAt(col, row);
            if (!isDrawableColour(cell.colour)) continue;
            copyPanelPiece(scratch.get(), cell.x, cell.y, sheet.get(), cell.colour, frame, SRCAND);
        }
    }
    BitBlt(paint.get(), 0, 0, fieldClientWidth, fieldClientHeight, scratch.get(), 0, 0, SRCCOPY);
}

void redrawCell(std::int32_t col, std::int32_t row, std::int32_t frame) {
    const Program& p = program();
    if (p.shutDown || !isInField(p.settings, col, row)) return;
    if (frame < 0 || frame >= animationFrames) return;
    const Cell& cell = cellAt(col, row);
    if (!isDrawableColour(cell.colour)) return;

    WindowDC window(p.fieldWindow);
    MemoryDC source(window.get());
    CompatibleBitmap scratchImage(window.get(), panelWidth, panelHeight);  // outlives its DC
    MemoryDC scratch(window.get());
    scratch.select(scratchImage.get());
    fillWhite(scratch.get(), panelWidth, panelHeight);

    // The diagonal neighbours' corners that overlap this rectangle, always at rest.
    source.select(p.bitmaps[BitmapId::FieldPanel]);
    for (std::int32_t entry = 1; entry <= 4; ++entry) {
        const PatternOffset offset = patternOffset(p.patterns, TypeA, entry);
        const std::int32_t neighbourCol = col + offset.dcol;
        const std::int32_t neighbourRow = row + offset.drow;
        if (!isInField(p.settings, neighbourCol, neighbourRow)) continue;
        const std::int32_t colour = cellAt(neighbourCol, neighbourRow).colour;
        if (!isDrawableColour(colour)) continue;
        const int offsetX = 32 * (2 * offset.dcol - offset.drow);
        const int offsetY = 16 * offset.drow;
        copyPanelPiece(scratch.get(), offsetX, offsetY, source.get(), colour, 0, SRCCOPY);
    }

    source.select(p.bitmaps[BitmapId::FieldPanelMask]);
    BitBlt(scratch.get(), 0, 0, panelWidth, panelHeight, source.get(), 0, 0, SRCPAINT);
    source.select(p.bitmaps[BitmapId::FieldPanel]);
    copyPanelPiece(scratch.get(), 0, 0, source.get(), cell.colour, frame, SRCAND);
    BitBlt(window.get(), cell.x, cell.y, panelWidth, panelHeight, scratch.get(), 0, 0, SRCCOPY);
}

bool moveCursor(std::int32_t x, std::int32_t y) {
    Program& p = program();
    const LatticePosition cell = cellAtPixel(x, y);
    if (cell.col == p.state.cursorCol && cell.row == p.state.cursorRow) return false;

    // Erased with the current pattern, even if the highlight was drawn for another one.
    forEachPatternOffset(p.patterns, p.settings.patternType, [&](std::int32_t dcol, std::int32_t drow) {
        const LatticePosition old = coveredCell(p.state.cursorCol, p.state.cursorRow, {dcol, drow});
        redrawCell(old.col, old.row, 0);
    });

    if (!p.shutDown) {
        WindowDC window(p.fieldWindow);
        MemoryDC memory(window.get());
        forEachPatternOffset(p.patterns, p.settings.patternType, [&](std::int32_t dcol, std::int32_t drow) {
            const LatticePosition covered = coveredCell(cell.col, cell.row, {dcol, drow});
            if (isInField(p.settings, covered.col, covered.row))
                drawHighlight(window.get(), memory, cellAt(covered.col, covered.row));
        });
    }

    p.state.cursorCol = cell.col;
    p.state.cursorRow = cell.row;
    redrawStatusItem(drawPatternCounts);
    return true;
}

}  // namespace kaleidra
