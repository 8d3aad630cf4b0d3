#include "app/status_window.h"

#include "app/program.h"
#include "core/flip.h"
#include "view/bitmap_sources.h"
#include "view/gdi.h"
#include "view/status_panel.h"

namespace kaleidra {

namespace {

void onPaint(HWND window) {
    const Program& p = program();
    if (p.state.phase != GamePhase::Playing || p.shutDown) {
        // Nothing to draw, but the update region must be cleared or the paint comes back.
        ValidateRect(window, nullptr);
        return;
    }
    // The whole window joins the update region, so a WM_PAINT sent directly repaints it all.
    InvalidateRect(window, &p.statusRepaintRect, FALSE);
    PaintDC paint(window);
    BitmapSources sources(paint.get(), p.bitmaps);
    drawStatusPanel(paint.get(), sources, statusScene(p));
}

void onTimer() {
    Program& p = program();
    if (p.shutDown) return;
    clockTick(p.state);
    redrawStatusItem(p.statusWindow, statusScene(p), drawElapsedSeconds);
}

}  // namespace

LRESULT CALLBACK statusWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        onPaint(window);
        return 0;
    case WM_TIMER:
        onTimer();
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        // Should the status panel ever hold the focus, its keys are the main window's as ever.
        return SendMessageW(GetParent(window), message, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace kaleidra
