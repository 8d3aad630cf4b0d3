#pragma once
// The committed art under resources/, as the tests read it.

#include <filesystem>
#include <string_view>

#include "bitmap_file.h"

namespace assets_test {

std::filesystem::path resourcesDirectory();
// name: the file name under resources/bitmaps without ".bmp", e.g. "field_panel".
Bitmap loadBitmap(std::string_view name);
Bitmap crop(const Bitmap& source, int x, int y, int width, int height);

}  // namespace assets_test
