#include "raster_ops.h"

namespace assets_test {

namespace {

Rgb combine(Rgb destination, Rgb source, RasterOp op) {
    switch (op) {
        case RasterOp::Copy:
            return source;
        case RasterOp::And:
            return {static_cast<std::uint8_t>(destination.r & source.r),
                    static_cast<std::uint8_t>(destination.g & source.g),
                    static_cast<std::uint8_t>(destination.b & source.b)};
        case RasterOp::Paint:
            return {static_cast<std::uint8_t>(destination.r | source.r),
                    static_cast<std::uint8_t>(destination.g | source.g),
                    static_cast<std::uint8_t>(destination.b | source.b)};
    }
    return source;
}

}  // namespace

void blit(Bitmap& target, int x, int y, int width, int height, const Bitmap& source, int sourceX, int sourceY,
          RasterOp op) {
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const int tx = x + column;
            const int ty = y + row;
            if (tx < 0 || ty < 0 || tx >= target.width || ty >= target.height) continue;
            target.set(tx, ty, combine(target.at(tx, ty), source.at(sourceX + column, sourceY + row), op));
        }
    }
}

Bitmap blankBitmap(int width, int height, Rgb fill) {
    Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.bitsPerPixel = 24;
    bitmap.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
    return bitmap;
}

}  // namespace assets_test
