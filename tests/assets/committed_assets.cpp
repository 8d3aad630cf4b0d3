#include "committed_assets.h"

#include <string>

#include "raster_ops.h"

namespace assets_test {

std::filesystem::path resourcesDirectory() { return KALEIDRA_RESOURCES_DIR; }

Bitmap loadBitmap(std::string_view name) {
    return readBitmapFile(resourcesDirectory() / "bitmaps" / (std::string(name) + ".bmp"));
}

Bitmap crop(const Bitmap& source, int x, int y, int width, int height) {
    Bitmap piece = blankBitmap(width, height, white);
    blit(piece, 0, 0, width, height, source, x, y, RasterOp::Copy);
    return piece;
}

}  // namespace assets_test
