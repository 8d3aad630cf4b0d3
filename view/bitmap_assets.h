#pragma once
// The program's bitmaps, loaded once at start-up as DIB sections and deleted once at shutdown.

#include <windows.h>

#include <array>

namespace kaleidra {

// In load order.
enum class BitmapId {
    TitleAuthor,
    TitleLogo1,
    TitleLogo2,
    TitleBack,
    FieldPanel,
    FieldPanelMask,
    FieldCursor,
    FieldCursorMask,
    StatusBack,
    StatusChar,
    SetArea1,
    SetArea2,
    SetArea3,
    SetArea4,
    SetArea5,
    SetArea6,
    SetArea7,
    ResultClear,
    ResultNotClear,
};

inline constexpr int bitmapCount = 19;

const wchar_t* bitmapResourceName(BitmapId id);

struct BitmapAssets {
    std::array<HBITMAP, bitmapCount> handles{};

    HBITMAP operator[](BitmapId id) const { return handles[static_cast<std::size_t>(id)]; }
};

// The title's pictures lead the catalogue: start-up loads them before the main window and the rest
// once the title is on screen, so the player sees the window sooner.
enum class BitmapBatch { Title, Rest };

// Loads one batch in catalogue order; on any failure deletes every bitmap loaded so far, of both
// batches, and returns false.
bool loadBitmapBatch(HINSTANCE instance, BitmapAssets& assets, BitmapBatch batch);
// Deletes every loaded bitmap once and forgets it; returns how many were deleted.
int deleteBitmapAssets(BitmapAssets& assets);

}  // namespace kaleidra
