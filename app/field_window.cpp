#include "app/field_window.h"

#include <optional>

#include "app/popup_menu.h"
#include "app/program.h"
#include "core/cursor_steps.h"
#include "core/flip.h"
#include "view/field_view.h"
#include "view/status_panel.h"

namespace kaleidra {

namespace {

// After shutdown the bitmaps are gone: nothing may draw or start.
bool isLive(const Program& p) { return p.state.phase == GamePhase::Playing && !p.shutDown; }

// Turns the operation's effects into drawing and timer calls.
void carryOut(const Program& p, const FlipEffects& effects) {
    for (const FlipEffect& effect : effects) {
        switch (effect.kind) {
        case FlipEffectKind::drawCell:
            redrawCell(p.fieldWindow, fieldScene(p), effect.col, effect.row, effect.frame);
            break;
        case FlipEffectKind::operationCountChanged:
            redrawStatusItem(p.statusWindow, statusScene(p), drawOperationCount);
            break;
        case FlipEffectKind::colourCountsChanged:
            redrawStatusItem(p.statusWindow, statusScene(p), drawColourCounts);
            break;
        case FlipEffectKind::elapsedSecondsChanged:
            redrawStatusItem(p.statusWindow, statusScene(p), drawElapsedSeconds);
            break;
        case FlipEffectKind::finished:
            KillTimer(p.fieldWindow, flipTimerId);
            break;
        }
    }
}

void onPaint(HWND window) {
    const Program& p = program();
    if (isLive(p))
        paintField(window, fieldScene(p), panelInMotion(p.state, p.settings, p.patterns));
    else
        ValidateRect(window, nullptr);
}

// The mouse's way and the keys' way to move the cursor, (x, y) in field client pixels.
void moveCursorTo(std::int32_t x, std::int32_t y) {
    Program& p = program();
    if (p.state.flip.busy != flipIdle || !isLive(p)) return;
    if (moveCursor(p.fieldWindow, fieldScene(p), p.state, x, y))
        redrawStatusItem(p.statusWindow, statusScene(p), drawPatternCounts);
}

void onMouseMove(LPARAM lParam) { moveCursorTo(LOWORD(lParam), HIWORD(lParam)); }

// The middle of a cell's panel, where the mouse points at that cell and no other.
POINT cellCentre(const Program& p, LatticePosition cell) {
    const Cell& panel =
        p.field.cells[static_cast<std::size_t>(cell.col)][static_cast<std::size_t>(cell.row)];
    return {panel.x + panelWidth / 2, panel.y + panelHeight / 2};
}

// The game menu with its top-left corner at a point in field client pixels.
void showGameMenuAt(int x, int y) {
    // From field client to main window client coordinates: the field window's outer origin.
    const int frame = GetSystemMetrics(SM_CXDLGFRAME);
    showPopupMenu(x + 16 - frame, y + 172 - 2 * frame);
}

void onRightButtonDown(LPARAM lParam) {
    if (program().state.phase != GamePhase::Playing) return;
    showGameMenuAt(LOWORD(lParam), HIWORD(lParam));
}

// The mouse's click and the keys' action: an operation at the cursor cell.
void operateAtCursor() {
    Program& p = program();
    if (!isLive(p)) return;
    const FlipStart start = startFlipSequence(p.state, p.settings, p.patterns);
    if (!start.accepted) return;
    carryOut(p, start.effects);
    SetTimer(p.fieldWindow, flipTimerId, flipTimerPeriodMs, nullptr);
}

void onLeftButtonDown() { operateAtCursor(); }

std::optional<CursorStep> cursorStepOfKey(WPARAM key) {
    switch (key) {
    case VK_LEFT: return CursorStep::Left;
    case VK_RIGHT: return CursorStep::Right;
    case VK_UP: return CursorStep::Up;
    case VK_DOWN: return CursorStep::Down;
    default: return std::nullopt;
    }
}

LatticePosition keysCursorCell(const Program& p) {
    return keyCursorCell(p.settings, {p.state.cursorCol, p.state.cursorRow});
}

void onTimer() {
    Program& p = program();
    if (p.shutDown) return;
    carryOut(p, flipTick(p.state, p.field, p.settings, p.patterns));
}

}  // namespace

bool onPlayKey(WPARAM key, LPARAM flags) {
    const std::optional<CursorStep> step = cursorStepOfKey(key);
    const bool act = key == VK_SPACE || key == VK_RETURN;
    if (!step && !act) return false;
    Program& p = program();
    // As with the mouse, nothing while an operation runs.
    if (!isLive(p) || p.state.flip.busy != flipIdle) return true;
    const LatticePosition from = keysCursorCell(p);
    if (step) {
        if (const std::optional<LatticePosition> to = steppedCell(p.settings, from, *step)) {
            const POINT centre = cellCentre(p, *to);
            moveCursorTo(centre.x, centre.y);
        }
        return true;
    }
    // A held key repeats: only a fresh press may start an operation, never one still held from
    // the last (or from a dialog it closed).
    if (flags & keyWasDownFlag) return true;
    // A cursor off the field first comes to the centre cell, as a mouse moved there would.
    const POINT centre = cellCentre(p, from);
    moveCursorTo(centre.x, centre.y);
    operateAtCursor();
    return true;
}

void showGameMenuFromKeys() {
    const Program& p = program();
    if (p.state.phase != GamePhase::Playing) return;
    const POINT centre = cellCentre(p, keysCursorCell(p));
    showGameMenuAt(centre.x, centre.y);
}

LRESULT CALLBACK fieldWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        onPaint(window);
        return 0;
    case WM_MOUSEMOVE:
        onMouseMove(lParam);
        return 0;
    case WM_RBUTTONDOWN:
        onRightButtonDown(lParam);
        return 0;
    case WM_LBUTTONDOWN:
        onLeftButtonDown();
        return 0;
    case WM_TIMER:
        onTimer();
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        // Should the field ever hold the focus, its keys are the main window's as ever.
        return SendMessageW(GetParent(window), message, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace kaleidra
