#include "dialogs/dialog_pictures.h"

#include <algorithm>
#include <iterator>

namespace kaleidra {

namespace {

bool isBitmapStatic(HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, std::size(className));
    return lstrcmpiW(className, L"Static") == 0 &&
           (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

bool ownedByProgram(HBITMAP picture, const BitmapAssets* programBitmaps) {
    return programBitmaps &&
           std::find(programBitmaps->handles.begin(), programBitmaps->handles.end(), picture) !=
               programBitmaps->handles.end();
}

}  // namespace

void releasePictures(HWND dialog, const BitmapAssets* programBitmaps) {
    for (HWND control = GetWindow(dialog, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
        if (!isBitmapStatic(control)) continue;
        const auto picture =
            reinterpret_cast<HBITMAP>(SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (picture && !ownedByProgram(picture, programBitmaps)) DeleteObject(picture);
    }
}

}  // namespace kaleidra
