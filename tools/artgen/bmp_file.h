#pragma once
// Palette bitmaps in the Windows BMP format (BITMAPINFOHEADER, bottom-up, uncompressed).

#include <cstdint>
#include <vector>

#include "byte_writer.h"
#include "indexed_image.h"

namespace artgen {

// Row size in bytes of a bottom-up pixel array: rows are padded to whole 32-bit words.
std::size_t bmpRowBytes(int width, int bitsPerPixel);

// The pixel rows alone, bottom row first, as both bitmaps and icon images store them.
void appendPixelRows(ByteWriter& out, const IndexedImage& image, int bitsPerPixel);

// A complete .bmp file; bitsPerPixel is 1, 4 or 8 and must hold every palette index.
std::vector<std::uint8_t> bmpFileBytes(const IndexedImage& image, int bitsPerPixel);

}  // namespace artgen
