#include "stage_tool/picture_file.h"

#include "stage_tool/file_replacement.h"
#include "stage_tool/utf8_path.h"

#if KALEIDRA_STAGE_PNG
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>
#endif

namespace kaleidra::stage_tool {

#if KALEIDRA_STAGE_PNG

namespace {

// A picture any field needs is far smaller; this keeps a hostile header from asking for gigabytes.
constexpr std::uint64_t largestPixelCount = 64ull * 1024 * 1024;
constexpr std::uintmax_t largestFileSize = 256ull * 1024 * 1024;

struct MemoryInput {
    const std::string* bytes;
    std::size_t position = 0;
};

void readFromMemory(png_structp png, png_bytep into, png_size_t count) {
    auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
    if (count > input->bytes->size() - input->position) png_error(png, "the file ends inside the picture");
    std::memcpy(into, input->bytes->data() + input->position, count);
    input->position += count;
}

struct ErrorText {
    char text[200] = {};
};

[[noreturn]] void failRead(png_structp png, png_const_charp message) {
    auto* error = static_cast<ErrorText*>(png_get_error_ptr(png));
    std::snprintf(error->text, sizeof error->text, "%s", message);
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// Decodes into 8-bit RGBA in the file's own colour space turned into sRGB: 16-bit samples scaled
// like 8-bit ones (not taken as linear light), a gAMA or sRGB chunk honoured, palette, grey and
// low bit depths expanded, and every interlace pass read whole by libpng. No object with a
// destructor is made between setjmp and the calls that may jump back.
bool decodePng(const std::string& file, std::uint32_t& width, std::uint32_t& height, std::vector<std::uint8_t>& rgba,
               std::vector<png_bytep>& rows, ErrorText& error) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, failRead, ignoreWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    MemoryInput input{&file, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &input, readFromMemory);
    png_read_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    if (width == 0 || height == 0 || std::uint64_t{width} * height > largestPixelCount)
        png_error(png, "too large");
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    // Pictures without a gAMA or sRGB chunk are taken as sRGB, as on any screen.
    png_set_gamma(png, PNG_DEFAULT_sRGB, PNG_DEFAULT_sRGB);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != std::size_t{width} * 4) png_error(png, "unexpected row layout");
    rgba.resize(std::size_t{width} * height * 4);
    rows.resize(height);
    for (std::uint32_t y = 0; y < height; ++y) rows[y] = rgba.data() + std::size_t{y} * width * 4;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

PictureRead readPicture(const std::string& path) {
    PictureRead result;
    const auto name = pathFromUtf8(path);
    std::error_code error;
    if (!name || !std::filesystem::is_regular_file(*name, error)) {
        result.problem = "cannot read picture '" + path + "': no such regular file";
        return result;
    }
    const std::uintmax_t size = std::filesystem::file_size(*name, error);
    if (error || size > largestFileSize) {
        result.problem = "cannot read picture '" + path + "': " + (error ? error.message() : "too large");
        return result;
    }
    std::ifstream stream(*name, std::ios::binary);
    std::string file(static_cast<std::size_t>(size), '\0');
    if (!stream.read(file.data(), static_cast<std::streamsize>(file.size()))) {
        result.problem = "cannot read picture '" + path + "': read error";
        return result;
    }
    if (file.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(file.data()), 0, 8) != 0) {
        result.problem = "cannot read picture '" + path + "': not a PNG file";
        return result;
    }
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgba;
    std::vector<png_bytep> rows;
    ErrorText problem;
    if (!decodePng(file, width, height, rgba, rows, problem)) {
        result.problem = "cannot read picture '" + path + "': " + (problem.text[0] ? problem.text : "out of memory");
        return result;
    }
    result.image = RgbImage(static_cast<int>(width), static_cast<int>(height), Rgb{});
    // Laid over white, the field's background.
    const auto over = [](unsigned colour, unsigned alpha) {
        return static_cast<std::uint8_t>((colour * alpha + 255 * (255 - alpha) + 127) / 255);
    };
    for (std::size_t i = 0; i < result.image.pixels.size(); ++i) {
        const std::uint8_t* p = &rgba[4 * i];
        result.image.pixels[i] = Rgb{over(p[0], p[3]), over(p[1], p[3]), over(p[2], p[3])};
    }
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
