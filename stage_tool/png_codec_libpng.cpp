// PNG through libpng, the Linux build's codec.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "stage_tool/png_codec.h"

namespace kaleidra::stage_tool {

namespace {

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

// No object with a destructor is made between setjmp and the calls that may jump back.
bool decodeInto(const std::string& file, DecodedPng& decoded, std::vector<png_bytep>& rows, ErrorText& error) {
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
    const std::uint32_t width = png_get_image_width(png, info);
    const std::uint32_t height = png_get_image_height(png, info);
    if (width == 0 || height == 0 || std::uint64_t{width} * height > largestPixelCount)
        png_error(png, "too large");
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    // The file's own gamma (an sRGB chunk states sRGB's); without one the picture is taken as sRGB,
    // as on any screen. png_set_gamma replaces what the file says, so it is handed on here.
    png_fixed_point fileGamma = PNG_DEFAULT_sRGB;
    if (png_fixed_point stated = 0; png_get_gAMA_fixed(png, info, &stated) != 0) fileGamma = stated;
    png_set_gamma_fixed(png, PNG_DEFAULT_sRGB, fileGamma);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != std::size_t{width} * 4) png_error(png, "unexpected row layout");
    decoded.rgba.resize(std::size_t{width} * height * 4);
    rows.resize(height);
    for (std::uint32_t y = 0; y < height; ++y) rows[y] = decoded.rgba.data() + std::size_t{y} * width * 4;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    decoded.width = width;
    decoded.height = height;
    return true;
}

}  // namespace

DecodedPng decodePng(const std::string& file) {
    DecodedPng decoded;
    std::vector<png_bytep> rows;
    ErrorText error;
    decoded.decoded = decodeInto(file, decoded, rows, error);
    if (!decoded.decoded) {
        decoded.problem = error.text[0] ? error.text : "out of memory";
        decoded.rgba.clear();
    }
    return decoded;
}

EncodedPng encodePng(const RgbImage& image) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(image.pixels.size() * 3);
    for (const Rgb pixel : image.pixels) bytes.insert(bytes.end(), {pixel.r, pixel.g, pixel.b});
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB;
    EncodedPng encoded;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(png, size, 0, bytes.data(), 0, nullptr)) {
        encoded.problem = png.message;
        return encoded;
    }
    encoded.bytes.assign(size, '\0');
    if (!png_image_write_to_memory(&png, encoded.bytes.data(), &size, 0, bytes.data(), 0, nullptr)) {
        encoded.problem = png.message;
        encoded.bytes.clear();
        return encoded;
    }
    encoded.bytes.resize(size);
    return encoded;
}

}  // namespace kaleidra::stage_tool
