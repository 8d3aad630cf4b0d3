#include "stage_tool/picture_file.h"

#include "stage_tool/file_replacement.h"

#if KALEIDRA_STAGE_PNG
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "stage_tool/png_codec.h"
#include "stage_tool/utf8_path.h"
#endif

namespace kaleidra::stage_tool {

#if KALEIDRA_STAGE_PNG

namespace {

constexpr std::uintmax_t largestFileSize = 256ull * 1024 * 1024;
constexpr char pngSignature[] = "\x89PNG\r\n\x1a\n";

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
    if (file.size() < 8 || std::memcmp(file.data(), pngSignature, 8) != 0) {
        result.problem = "cannot read picture '" + path + "': not a PNG file";
        return result;
    }
    const DecodedPng decoded = decodePng(file);
    if (!decoded.decoded) {
        result.problem = "cannot read picture '" + path + "': " + decoded.problem;
        return result;
    }
    result.image = RgbImage(static_cast<int>(decoded.width), static_cast<int>(decoded.height), Rgb{});
    // Laid over white, the field's background.
    const auto over = [](unsigned colour, unsigned alpha) {
        return static_cast<std::uint8_t>((colour * alpha + 255 * (255 - alpha) + 127) / 255);
    };
    for (std::size_t i = 0; i < result.image.pixels.size(); ++i) {
        const std::uint8_t* p = &decoded.rgba[4 * i];
        result.image.pixels[i] = Rgb{over(p[0], p[3]), over(p[1], p[3]), over(p[2], p[3])};
    }
    result.read = true;
    return result;
}

std::string writePicture(const std::string& path, const RgbImage& image) {
    // Encoded in memory first, so that the file is only ever replaced by a whole picture.
    const EncodedPng encoded = encodePng(image);
    if (!encoded.problem.empty()) return "cannot write picture '" + path + "': " + encoded.problem;
    return replaceFileContent(path, encoded.bytes, "picture ");
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
