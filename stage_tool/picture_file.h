#pragma once
// PNG pictures in and out: libpng in the Linux build, the system's own codecs in the Windows one.

#include <string>

#include "stage_tool/rgb_image.h"

namespace kaleidra::stage_tool {

inline constexpr bool picturesSupported = KALEIDRA_STAGE_PNG != 0;

struct PictureRead {
    bool read = false;
    std::string problem;
    RgbImage image;  // transparent parts laid over white, the field's background
};

PictureRead readPicture(const std::string& path);
// An empty string when written, else why not.
std::string writePicture(const std::string& path, const RgbImage& image);

}  // namespace kaleidra::stage_tool
