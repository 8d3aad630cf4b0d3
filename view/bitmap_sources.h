#pragma once
// Memory device contexts to copy the program's bitmaps from, one per bitmap, each made and
// selected on first use and released with the drawing call, so that a call switching between its
// bitmaps again and again (a number's digits and their background) selects each of them once.

#include <windows.h>

#include <array>
#include <optional>

#include "view/bitmap_assets.h"
#include "view/gdi.h"

namespace kaleidra {

class BitmapSources {
public:
    BitmapSources(HDC compatibleWith, const BitmapAssets& bitmaps);
    BitmapSources(const BitmapSources&) = delete;
    BitmapSources& operator=(const BitmapSources&) = delete;
    // A memory DC holding the bitmap.
    HDC operator[](BitmapId id);

private:
    HDC compatibleWith_;
    const BitmapAssets& bitmaps_;
    std::array<std::optional<MemoryDC>, bitmapCount> sources_;
};

}  // namespace kaleidra
