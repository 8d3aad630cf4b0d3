#pragma once
// The pictures of a dialog's bitmap statics. Such a control loads its template's picture itself, and
// deletes neither that one nor any set later when it is destroyed: each opening of the dialog would
// leave its pictures behind.

#include <windows.h>

#include "view/bitmap_assets.h"

namespace kaleidra {

// On WM_DESTROY: takes the picture out of every bitmap static and deletes it, unless it is one of
// the program's own bitmaps (none when programBitmaps is null), which live for the whole run.
void releasePictures(HWND dialog, const BitmapAssets* programBitmaps);

}  // namespace kaleidra
