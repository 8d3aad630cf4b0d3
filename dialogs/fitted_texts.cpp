#include "dialogs/fitted_texts.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "view/gdi.h"

namespace kaleidra {

namespace {

constexpr wchar_t fittedFontProperty[] = L"KaleidraFittedFont";

bool isStaticText(HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, std::size(className));
    const LONG type = GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK;
    return lstrcmpiW(className, L"Static") == 0 && (type == SS_LEFT || type == SS_RIGHT);
}

// The width the text needs in the control's font, if it is a one-line label wider than its place.
int overflowingWidth(HWND control) {
    wchar_t text[128] = {};
    const int length = GetWindowTextW(control, text, std::size(text));
    RECT place;
    GetClientRect(control, &place);
    WindowDC dc(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = SelectObject(dc.get(), font);
    SIZE needed{};
    GetTextExtentPoint32W(dc.get(), text, length, &needed);
    SelectObject(dc.get(), previous);
    const bool oneLine = place.bottom < 2 * needed.cy;
    return length > 0 && oneLine && needed.cx > place.right && place.right > 0 ? needed.cx : 0;
}

}  // namespace

void fitOneLineTexts(HWND dialog) {
    std::vector<HWND> overflowing;
    double scale = 1.0;
    for (HWND control = GetWindow(dialog, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
        if (!isStaticText(control)) continue;
        const int needed = overflowingWidth(control);
        if (needed == 0) continue;
        RECT place;
        GetClientRect(control, &place);
        scale = std::min(scale, static_cast<double>(place.right) / needed);
        overflowing.push_back(control);
    }
    if (overflowing.empty()) return;

    // Read back wide: a narrow face name would lose the Japanese face under another code page.
    LOGFONTW face{};
    const auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (!dialogFont || !GetObjectW(dialogFont, sizeof face, &face)) return;
    // Heights are negative for character heights; truncation toward zero makes the font smaller.
    face.lfHeight = static_cast<LONG>(face.lfHeight * scale);
    face.lfWidth = 0;
    HFONT fitted = CreateFontIndirectW(&face);
    if (!fitted) return;
    SetPropW(dialog, fittedFontProperty, fitted);
    for (HWND control : overflowing)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fitted), FALSE);
}

void releaseFittedFont(HWND dialog) {
    if (HANDLE fitted = RemovePropW(dialog, fittedFontProperty)) DeleteObject(fitted);
}

}  // namespace kaleidra
