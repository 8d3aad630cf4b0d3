#include "stage_tool/picture_file.h"

#include "stage_tool/file_replacement.h"

#if KALEIDRA_STAGE_PNG
#include <png.h>

#include <filesystem>
#include <system_error>
#include <vector>
#endif

namespace kaleidra::stage_tool {

#if KALEIDRA_STAGE_PNG

namespace {

// A picture any field needs is far smaller; this keeps a hostile header from asking for gigabytes.
constexpr std::uint64_t largestPixelCount = 64ull * 1024 * 1024;

}  // namespace

PictureRead readPicture(const std::string& path) {
    PictureRead result;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        result.problem = "cannot read picture '" + path + "': no such regular file";
        return result;
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        result.problem = "cannot read picture '" + path + "': " + png.message;
        return result;
    }
    if (png.width == 0 || png.height == 0 || std::uint64_t{png.width} * png.height > largestPixelCount) {
        png_image_free(&png);
        result.problem = "cannot read picture '" + path + "': too large";
        return result;
    }
    png.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> bytes(PNG_IMAGE_SIZE(png));
    const png_color white{255, 255, 255};
    if (!png_image_finish_read(&png, &white, bytes.data(), 0, nullptr)) {
        result.problem = "cannot read picture '" + path + "': " + png.message;
        png_image_free(&png);
        return result;
    }
    result.image = RgbImage(static_cast<int>(png.width), static_cast<int>(png.height), Rgb{});
    for (std::size_t i = 0; i < result.image.pixels.size(); ++i)
        result.image.pixels[i] = Rgb{bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]};
    result.read = true;
    return result;
}

std::string writePicture(const std::string& path, const RgbImage& image) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(image.pixels.size() * 3);
    for (const Rgb pixel : image.pixels) bytes.insert(bytes.end(), {pixel.r, pixel.g, pixel.b});
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB;
    // Encoded in memory first, so that the file is only ever replaced by a whole picture.
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(png, size, 0, bytes.data(), 0, nullptr))
        return "cannot write picture '" + path + "': " + png.message;
    std::string encoded(size, '\0');
    if (!png_image_write_to_memory(&png, encoded.data(), &size, 0, bytes.data(), 0, nullptr))
        return "cannot write picture '" + path + "': " + png.message;
    encoded.resize(size);
    return replaceFileContent(path, encoded, "picture ");
}

#else

PictureRead readPicture(const std::string& path) {
    return PictureRead{false, "cannot read picture '" + path + "': this build has no PNG support", {}};
}

std::string writePicture(const std::string& path, const RgbImage&) {
    return "cannot write picture '" + path + "': this build has no PNG support";
}

#endif

}  // namespace kaleidra::stage_tool
