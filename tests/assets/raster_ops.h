#pragma once
// The three raster operations the game draws its bitmaps with, applied per colour channel as the
// display does: SRCCOPY copies, SRCAND stores destination AND source, SRCPAINT destination OR source.

#include "bitmap_file.h"

namespace assets_test {

enum class RasterOp { Copy, And, Paint };

// Copies a width x height rectangle of source at (sourceX, sourceY) onto target at (x, y),
// clipped to the target.
void blit(Bitmap& target, int x, int y, int width, int height, const Bitmap& source, int sourceX, int sourceY,
          RasterOp op);

Bitmap blankBitmap(int width, int height, Rgb fill);

}  // namespace assets_test
