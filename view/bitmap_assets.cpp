#include "view/bitmap_assets.h"

namespace kaleidra {

namespace {
constexpr std::array<const char*, bitmapCount> resourceNames = {
    "IDB_TITLE_AUTHOR", "IDB_TITLE_LOGO1",  "IDB_TITLE_LOGO2",      "IDB_TITLE_BACK",
    "IDB_FIELD_PANEL",  "IDB_FIELD_PANEL_MASK", "IDB_FIELD_CURSOR", "IDB_FIELD_CURSOR_MASK",
    "IDB_STATUS_BACK",  "IDB_STATUS_CHAR",  "IDB_SET_AREA1",        "IDB_SET_AREA2",
    "IDB_SET_AREA3",    "IDB_SET_AREA4",    "IDB_SET_AREA5",        "IDB_SET_AREA6",
    "IDB_SET_AREA7",    "IDB_RESULT_CLEAR", "IDB_RESULT_NOTCLEAR",
};
}  // namespace

const char* bitmapResourceName(BitmapId id) { return resourceNames[static_cast<std::size_t>(id)]; }

bool loadBitmapBatch(HINSTANCE instance, BitmapAssets& assets, BitmapBatch batch) {
    constexpr auto firstAfterTitle = static_cast<std::size_t>(BitmapId::FieldPanel);
    const std::size_t first = batch == BitmapBatch::Title ? 0 : firstAfterTitle;
    const std::size_t end = batch == BitmapBatch::Title ? firstAfterTitle : resourceNames.size();
    for (std::size_t i = first; i < end; ++i) {
        // As DIB sections: under Wine, selecting a device-dependent bitmap into a DC asks the
        // server about the display every time, and every animation tick selects some.
        assets.handles[i] = static_cast<HBITMAP>(
            LoadImageA(instance, resourceNames[i], IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
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
