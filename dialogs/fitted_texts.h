#pragma once
// One-line labels that do not fit their place in the dialog's font, as under a stand-in for the
// template's font, get the same face a little smaller, so that they are read whole instead of cut.
// Places, sizes and texts stay as the template has them.

#include <windows.h>

namespace kaleidra {

// On WM_INITDIALOG; the smaller font, if one was needed, is kept with the dialog.
void fitOneLineTexts(HWND dialog);
// On WM_DESTROY: deletes that font.
void releaseFittedFont(HWND dialog);

}  // namespace kaleidra
