#include "view/bitmap_assets.h"

namespace kaleidra {

namespace {
constexpr std::array<const wchar_t*, bitmapCount> resourceNames = {
    L"IDB_TITLE_AUTHOR", L"IDB_TITLE_LOGO1",      L"IDB_TITLE_LOGO2",  L"IDB_TITLE_BACK",
    L"IDB_FIELD_PANEL",  L"IDB_FIELD_PANEL_MASK", L"IDB_FIELD_CURSOR", L"IDB_FIELD_CURSOR_MASK",
    L"IDB_STATUS_BACK",  L"IDB_STATUS_CHAR",      L"IDB_SET_AREA1",    L"IDB_SET_AREA2",
    L"IDB_SET_AREA3",    L"IDB_SET_AREA4",        L"IDB_SET_AREA5",    L"IDB_SET_AREA6",
    L"IDB_SET_AREA7",    L"IDB_RESULT_CLEAR",     L"IDB_RESULT_NOTCLEAR",
};
}  // namespace

const wchar_t* bitmapResourceName(BitmapId id) { return resourceNames[static_cast<std::size_t>(id)]; }

bool loadBitmapBatch(HINSTANCE instance, BitmapAssets& assets, BitmapBatch batch) {
    constexpr auto firstAfterTitle = static_cast<std::size_t>(BitmapId::FieldPanel);
    const std::size_t first = batch == BitmapBatch::Title ? 0 : firstAfterTitle;
    const std::size_t end = batch == BitmapBatch::Title ? firstAfterTitle : resourceNames.size();
    for (std::size_t i = first; i < end; ++i) {
        // As DIB sections: under Wine, selecting a device-dependent bitmap into a DC asks the
        // server about the display every time, and every animation tick selects some.
        assets.handles[i] = static_cast<HBITMAP>(
            LoadImageW(instance, resourceNames[i], IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (!assets.handles[i]) {
            deleteBitmapAssets(assets);
            return false;
        }
    }
    return true;
}

int deleteBitmapAssets(BitmapAssets& assets) {
    int deleted = 0;
    for (HBITMAP& handle : assets.handles) {
        if (handle && DeleteObject(handle)) ++deleted;
        handle = nullptr;
    }
    return deleted;
}

}  // namespace kaleidra
