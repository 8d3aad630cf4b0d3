#include "view/field_window.h"

#include "app/popup_menu.h"
#include "app/program.h"
#include "core/flip.h"
#include "view/field_view.h"
#include "view/status_panel.h"

namespace kaleidra {

namespace {

bool isPlaying() { return program().state.phase == GamePhase::Playing; }

// Turns the operation's effects into drawing and timer calls.
void carryOut(const FlipEffects& effects) {
    for (const FlipEffect& effect : effects) {
        switch (effect.kind) {
        case FlipEffectKind::drawCell:
            redrawCell(effect.col, effect.row, effect.frame);
            break;
        case FlipEffectKind::operationCountChanged:
            redrawStatusItem(drawOperationCount);
            break;
        case FlipEffectKind::colourCountsChanged:
            redrawStatusItem(drawColourCounts);
            break;
        case FlipEffectKind::elapsedSecondsChanged:
            redrawStatusItem(drawElapsedSeconds);
            break;
        case FlipEffectKind::finished:
            KillTimer(program().fieldWindow, flipTimerId);
            break;
        }
    }
}

void onPaint(HWND window) {
    if (isPlaying() && !program().shutDown)
        paintField(0);
    else
        ValidateRect(window, nullptr);
}

void onMouseMove(LPARAM lParam) {
    if (program().state.flip.busy != flipIdle || !isPlaying()) return;
    moveCursor(LOWORD(lParam), HIWORD(lParam));
}

void onRightButtonDown(LPARAM lParam) {
    if (!isPlaying()) return;
    // From field client to main window client coordinates: the field window's outer origin.
    const int frame = GetSystemMetrics(SM_CXDLGFRAME);
    showPopupMenu(LOWORD(lParam) + 16 - frame, HIWORD(lParam) + 172 - 2 * frame);
}

void onLeftButtonDown() {
    Program& p = program();
    if (!isPlaying() || p.shutDown) return;
    const FlipStart start = startFlipSequence(p.state, p.settings, p.patterns);
    if (!start.accepted) return;
    carryOut(start.effects);
    SetTimer(p.fieldWindow, flipTimerId, flipTimerPeriodMs, nullptr);
}

void onTimer() {
    Program& p = program();
    carryOut(flipTick(p.state, p.field, p.settings, p.patterns));
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
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace kaleidra
