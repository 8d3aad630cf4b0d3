#include "app/field_window.h"

#include "app/popup_menu.h"
#include "app/program.h"
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

void onMouseMove(LPARAM lParam) {
    Program& p = program();
    if (p.state.flip.busy != flipIdle || !isLive(p)) return;
    if (moveCursor(p.fieldWindow, fieldScene(p), p.state, LOWORD(lParam), HIWORD(lParam)))
        redrawStatusItem(p.statusWindow, statusScene(p), drawPatternCounts);
}

void onRightButtonDown(LPARAM lParam) {
    if (program().state.phase != GamePhase::Playing) return;
    // From field client to main window client coordinates: the field window's outer origin.
    const int frame = GetSystemMetrics(SM_CXDLGFRAME);
    showPopupMenu(LOWORD(lParam) + 16 - frame, HIWORD(lParam) + 172 - 2 * frame);
}

void onLeftButtonDown() {
    Program& p = program();
    if (!isLive(p)) return;
    const FlipStart start = startFlipSequence(p.state, p.settings, p.patterns);
    if (!start.accepted) return;
    carryOut(p, start.effects);
    SetTimer(p.fieldWindow, flipTimerId, flipTimerPeriodMs, nullptr);
}

void onTimer() {
    Program& p = program();
    if (p.shutDown) return;
    carryOut(p, flipTick(p.state, p.field, p.settings, p.patterns));
}

}  // namespace

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
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace kaleidra
