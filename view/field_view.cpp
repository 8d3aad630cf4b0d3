#include "view/field_view.h"

#include "view/bitmap_sources.h"
#include "view/cell_at_pixel.h"
#include "view/gdi.h"

namespace kaleidra {

namespace {

constexpr int animationFrames = 5;

bool isDrawableColour(std::int32_t colour) { return colour >= 0 && colour < panelColourCount; }

const Cell& cellAt(const Field& field, std::int32_t col, std::int32_t row) {
    return field.cells[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
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

void drawHighlight(HDC target, BitmapSources& sources, const Cell& cell) {
    BitBlt(target, cell.x, cell.y, panelWidth, panelHeight, sources[BitmapId::FieldCursorMask], 0,
           0, SRCPAINT);
    BitBlt(target, cell.x, cell.y, panelWidth, panelHeight, sources[BitmapId::FieldCursor], 0, 0,
           SRCAND);
}

}  // namespace

void paintField(HWND fieldWindow, const FieldScene& scene, const PanelInMotion& inMotion) {
    // Sent WM_PAINTs come with no update region: take the whole window, so the field is complete.
    const RECT whole{0, 0, fieldClientWidth, fieldClientHeight};
    InvalidateRect(fieldWindow, &whole, FALSE);
    PaintDC paint(fieldWindow);
    // Composed off-screen on white, since SRCAND needs a white base, then copied in one go.
    // The bitmap is declared first so that the DC lets go of it before it is deleted.
    ScratchBitmap scratchImage(paint.get(), fieldClientWidth, fieldClientHeight);
    MemoryDC scratch(paint.get());
    scratch.select(scratchImage.get());
    fillWhite(scratch.get(), fieldClientWidth, fieldClientHeight);
    BitmapSources sources(paint.get(), scene.bitmaps);
    HDC panels = sources[BitmapId::FieldPanel];
    forEachInFieldCell(scene.settings, [&](std::int32_t col, std::int32_t row) {
        const Cell& cell = cellAt(scene.field, col, row);
        // The colour advance after the last frame draws nothing: the panel must stay at its frame.
        const bool moving = inMotion.moving && inMotion.col == col && inMotion.row == row &&
                            inMotion.frame > 0 && inMotion.frame < animationFrames;
        if (isDrawableColour(cell.colour))
            copyPanelPiece(scratch.get(), cell.x, cell.y, panels, cell.colour,
                           moving ? inMotion.frame : 0, SRCAND);
    });
    BitBlt(paint.get(), 0, 0, fieldClientWidth, fieldClientHeight, scratch.get(), 0, 0, SRCCOPY);
}

void redrawCell(HWND fieldWindow, const FieldScene& scene, std::int32_t col, std::int32_t row,
                std::int32_t frame) {
    if (!isInField(scene.settings, col, row)) return;
    if (frame < 0 || frame >= animationFrames) return;
    const Cell& cell = cellAt(scene.field, col, row);
    if (!isDrawableColour(cell.colour)) return;

    WindowDC window(fieldWindow);
    ScratchBitmap scratchImage(window.get(), panelWidth, panelHeight);  // outlives its DC
    MemoryDC scratch(window.get());
    scratch.select(scratchImage.get());
    fillWhite(scratch.get(), panelWidth, panelHeight);
    // One DC for both sources, selecting the sheet again after the mask: under Wine every memory
    // DC costs a message to the X server, which weighs more than the selections it would save.
    MemoryDC source(window.get());
    source.select(scene.bitmaps[BitmapId::FieldPanel]);
    HDC panels = source.get();

    // The diagonal neighbours' corners that overlap this rectangle, always at rest.
    for (std::int32_t entry = 1; entry <= 4; ++entry) {
        const PatternOffset offset = patternOffset(scene.patterns, TypeA, entry);
        const std::int32_t neighbourCol = col + offset.dcol;
        const std::int32_t neighbourRow = row + offset.drow;
        if (!isInField(scene.settings, neighbourCol, neighbourRow)) continue;
        const std::int32_t colour = cellAt(scene.field, neighbourCol, neighbourRow).colour;
        if (!isDrawableColour(colour)) continue;
        const int offsetX = 32 * (2 * offset.dcol - offset.drow);
        const int offsetY = 16 * offset.drow;
        copyPanelPiece(scratch.get(), offsetX, offsetY, panels, colour, 0, SRCCOPY);
    }

    source.select(scene.bitmaps[BitmapId::FieldPanelMask]);
    BitBlt(scratch.get(), 0, 0, panelWidth, panelHeight, source.get(), 0, 0, SRCPAINT);
    source.select(scene.bitmaps[BitmapId::FieldPanel]);
    copyPanelPiece(scratch.get(), 0, 0, panels, cell.colour, frame, SRCAND);
    BitBlt(window.get(), cell.x, cell.y, panelWidth, panelHeight, scratch.get(), 0, 0, SRCCOPY);
}

bool moveCursor(HWND fieldWindow, const FieldScene& scene, GameState& state, std::int32_t x,
                std::int32_t y) {
    const LatticePosition cell = cellAtPixel(x, y);
    if (cell.col == state.cursorCol && cell.row == state.cursorRow) return false;
    const PatternType pattern = scene.settings.patternType;

    // Erased with the current pattern, even if the highlight was drawn for another one.
    forEachPatternOffset(scene.patterns, pattern, [&](std::int32_t dcol, std::int32_t drow) {
        const LatticePosition old = coveredCell(state.cursorCol, state.cursorRow, {dcol, drow});
        redrawCell(fieldWindow, scene, old.col, old.row, 0);
    });

    WindowDC window(fieldWindow);
    BitmapSources sources(window.get(), scene.bitmaps);
    forEachPatternOffset(scene.patterns, pattern, [&](std::int32_t dcol, std::int32_t drow) {
        const LatticePosition covered = coveredCell(cell.col, cell.row, {dcol, drow});
        if (isInField(scene.settings, covered.col, covered.row))
            drawHighlight(window.get(), sources, cellAt(scene.field, covered.col, covered.row));
    });

    state.cursorCol = cell.col;
    state.cursorRow = cell.row;
    return true;
}

}  // namespace kaleidra
