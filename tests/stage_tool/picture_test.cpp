#if KALEIDRA_STAGE_PNG
#include <png.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <span>
#include <iterator>
#include <string>
#include <vector>

#include "core/stage.h"
#include "stage_tool/bitmap_reader.h"
#include "stage_tool/field_picture.h"
#include "stage_tool/field_rules.h"
#include "stage_tool/loaded_stage.h"
#include "stage_tool/panel_sheet_bytes.h"
#include "stage_tool/picture_file.h"
#include "stage_tool/stage_making.h"
#include "tests/stage_tool/stage_tool_test_support.h"

namespace kaleidra::stage_tool {
namespace {

class Pictures : public ScratchFolder {};

const RgbImage& sheet() {
    const auto& built = panelSheet();
    EXPECT_TRUE(built.has_value());
    static const RgbImage empty;
    return built ? *built : empty;
}

TEST(PanelSheet, IsTheGamesFiveByFiveSheetWithFiveDistinctRestingColours) {
    EXPECT_EQ(sheet().width, 5 * panelWidth);
    EXPECT_EQ(sheet().height, 5 * panelHeight);
    const auto colours = panelColours(sheet());
    for (std::size_t a = 0; a < colours.size(); ++a)
        for (std::size_t b = a + 1; b < colours.size(); ++b) EXPECT_NE(colours[a], colours[b]) << a << " " << b;
}

TEST(BitmapReader, RefusesDamagedBitmapsWithoutReadingPastThem) {
    const auto bytes = panelSheetBytes();
    const std::vector<std::uint8_t> whole(bytes.begin(), bytes.end());
    auto changed = [&](std::size_t at, std::uint8_t value) {
        auto copy = whole;
        copy[at] = value;
        return copy;
    };
    const struct {
        const char* label;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"header only", {whole.begin(), whole.begin() + 54}},
        {"palette cut", {whole.begin(), whole.begin() + 100}},
        {"last row cut", {whole.begin(), whole.end() - 1}},
        {"not BM", changed(0, 'X')},
        {"24 bits per pixel", changed(28, 24)},
        {"compressed", changed(30, 1)},
        {"pixels said to start past the end", changed(13, 0x7F)},
        {"width far too large", changed(21, 0x7F)},
    };
    for (const auto& c : cases) EXPECT_FALSE(readPaletteBitmap(c.bytes).has_value()) << c.label;
    EXPECT_TRUE(readPaletteBitmap(whole).has_value());
}

TEST(FieldPicture, PaintsEachPanelInItsRestingColourOnWhite) {
    LoadedStage stage;
    stage.settings = settingsFor({5, 8}, 70);
    layoutCells(stage.field);
    const std::uint8_t content[] = {'0', '1', '2', '3', '4', '4', '3'};
    colourCellsFromContent(stage.field, stage.state, stage.settings, content);
    const RgbImage picture = composeFieldPicture(stage.field, stage.settings, sheet());
    ASSERT_EQ(picture.width, fieldPictureWidth);
    ASSERT_EQ(picture.height, fieldPictureHeight);
    const auto colours = panelColours(sheet());
    forEachInFieldCell(stage.settings, [&](std::int32_t col, std::int32_t row) {
        const Cell& cell = stage.field.cells[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
        EXPECT_EQ(picture.at(cell.x + 32, cell.y + 16), colours[static_cast<std::size_t>(cell.colour)])
            << "cell (" << col << ", " << row << ")";
    });
    const Rgb white{255, 255, 255};
    EXPECT_EQ(picture.at(0, 0), white);      // the strip above every panel
    EXPECT_EQ(picture.at(304, 20), white);   // above a 5 x 8 field, in the margin
    EXPECT_EQ(picture.at(10, 150), white);   // beside it
}

#if KALEIDRA_STAGE_PNG

// Five upright bands, each a little off one panel colour: every field row reads 0 1 2 3 4.
TEST_F(Pictures, MakeTakesTheNearestPanelColourAtEachPanelsCentre) {
    const auto colours = panelColours(sheet());
    RgbImage bands(10, 4, Rgb{});
    for (int x = 0; x < bands.width; ++x) {
        for (int y = 0; y < bands.height; ++y) {
            Rgb colour = colours[static_cast<std::size_t>(x / 2)];
            colour.r = static_cast<std::uint8_t>(colour.r > 128 ? colour.r - 12 : colour.r + 12);
            bands.at(x, y) = colour;
        }
    }
    const std::string picture = path("bands.png");
    ASSERT_EQ(writePicture(picture, bands), "");
    const ToolRun made = runTool({"make", "--size", "5x4", "--from", picture, "-o", path("bands.txt")});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    std::ifstream file(path("bands.txt"), std::ios::binary);
    const std::string digits{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(digits, "01234012340123401234");
}

TEST_F(Pictures, ShowWritesTheFieldPictureAsAPng) {
    const ToolRun run = runTool({"show", write("stage.txt", "24"), "--size", "3x4", "--png", path("field.png")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const PictureRead back = readPicture(path("field.png"));
    ASSERT_TRUE(back.read) << back.problem;
    LoadedStage stage = loadStageFile(path("stage.txt"), settingsFor({3, 4}, 70)).stage;
    EXPECT_EQ(back.image.pixels, composeFieldPicture(stage.field, stage.settings, sheet()).pixels);
}

// One PNG encoding of a picture, written with libpng's own writer.
struct PngVariant {
    const char* name;
    int colourType;  // PNG_COLOR_TYPE_*
    int bitDepth;
    bool interlaced = false;
    double fileGamma = 0;  // a gAMA chunk with this gamma, samples encoded to it; 0: none
    bool srgbChunk = false;
};

// sRGB's own curve, what an 8-bit sample means on a screen.
double linearFromSrgb(double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

void writePng(const std::string& path, const RgbImage& image, const PngVariant& variant) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height),
                 variant.bitDepth, variant.colourType,
                 variant.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (variant.srgbChunk) png_set_sRGB_gAMA_and_cHRM(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
    if (variant.fileGamma != 0) png_set_gAMA(png, info, variant.fileGamma);
    std::vector<png_color> palette;
    const bool grey = (variant.colourType & PNG_COLOR_MASK_COLOR) == 0;
    const bool alpha = (variant.colourType & PNG_COLOR_MASK_ALPHA) != 0;
    if (variant.colourType == PNG_COLOR_TYPE_PALETTE) {
        for (const Rgb pixel : image.pixels)
            if (std::none_of(palette.begin(), palette.end(),
                             [&](const png_color& c) { return c.red == pixel.r && c.green == pixel.g && c.blue == pixel.b; }))
                palette.push_back({pixel.r, pixel.g, pixel.b});
        ASSERT_LE(palette.size(), 256u);
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    }
    png_write_info(png, info);
    if (variant.bitDepth == 16) png_set_swap(png);  // the rows below hold 16-bit samples in this machine's order
    const auto sample = [&](std::uint8_t value) -> unsigned {
        // Encoded to the file's gamma, from what the 8-bit sRGB value shows.
        const double maximum = variant.bitDepth == 16 ? 65535.0 : 255.0;
        if (variant.fileGamma == 0) return static_cast<unsigned>(std::lround(value * maximum / 255.0));
        return static_cast<unsigned>(std::lround(std::pow(linearFromSrgb(value / 255.0), variant.fileGamma) * maximum));
    };
    const int channels = variant.colourType == PNG_COLOR_TYPE_PALETTE ? 1 : (grey ? 1 : 3) + (alpha ? 1 : 0);
    const std::size_t bytesPerSample = variant.bitDepth == 16 ? 2 : 1;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(image.width * channels) * bytesPerSample);
    std::vector<std::vector<std::uint8_t>> rows;
    for (int y = 0; y < image.height; ++y) {
        std::size_t at = 0;
        const auto put = [&](unsigned value) {
            if (bytesPerSample == 2) {
                const auto v = static_cast<std::uint16_t>(value);
                std::memcpy(&row[at], &v, 2);
            } else {
                row[at] = static_cast<std::uint8_t>(value);
            }
            at += bytesPerSample;
        };
        for (int x = 0; x < image.width; ++x) {
            const Rgb pixel = image.at(x, y);
            if (variant.colourType == PNG_COLOR_TYPE_PALETTE) {
                const auto found = std::find_if(palette.begin(), palette.end(), [&](const png_color& c) {
                    return c.red == pixel.r && c.green == pixel.g && c.blue == pixel.b;
                });
                put(static_cast<unsigned>(found - palette.begin()));
                continue;
            }
            if (grey) {
                put(sample(pixel.r));
            } else {
                put(sample(pixel.r));
                put(sample(pixel.g));
                put(sample(pixel.b));
            }
            if (alpha) put(bytesPerSample == 2 ? 65535 : 255);
        }
        rows.push_back(row);
    }
    std::vector<png_bytep> pointers;
    for (auto& r : rows) pointers.push_back(r.data());
    png_write_image(png, pointers.data());  // every interlace pass from the whole rows
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

// A picture of 45 x 48 pixels, a different colour at each panel's centre and rows that differ, so
// that a row read in the wrong place or a colour read in another space changes the stage.
RgbImage testPicture(bool grey) {
    const Rgb colours[] = {{240, 0, 105}, {255, 210, 0}, {40, 170, 60}, {90, 190, 240}, {150, 70, 200},
                           {200, 40, 40}, {120, 120, 120}, {250, 250, 250}, {20, 20, 20}, {60, 90, 160}};
    RgbImage picture(45, 48, Rgb{});
    std::uint32_t state = 12345;
    for (Rgb& pixel : picture.pixels) {
        state = state * 1103515245u + 12345u;
        pixel = colours[(state >> 16) % 10];
        if (grey) pixel = Rgb{pixel.r, pixel.r, pixel.r};
    }
    return picture;
}

TEST_F(Pictures, EveryEncodingOfOnePictureGivesTheSameStage) {
    const PngVariant reference{"8-bit RGB", PNG_COLOR_TYPE_RGB, 8};
    const PngVariant colourVariants[] = {
        {"16-bit RGB", PNG_COLOR_TYPE_RGB, 16},
        {"palette", PNG_COLOR_TYPE_PALETTE, 8},
        {"8-bit RGBA", PNG_COLOR_TYPE_RGB_ALPHA, 8},
        {"16-bit RGBA", PNG_COLOR_TYPE_RGB_ALPHA, 16},
        {"8-bit RGB interlaced", PNG_COLOR_TYPE_RGB, 8, true},
        {"16-bit RGB interlaced", PNG_COLOR_TYPE_RGB, 16, true},
        {"palette interlaced", PNG_COLOR_TYPE_PALETTE, 8, true},
        {"8-bit RGB with an sRGB chunk", PNG_COLOR_TYPE_RGB, 8, false, 0, true},
        {"16-bit RGB in linear light (gAMA 1.0)", PNG_COLOR_TYPE_RGB, 16, false, 1.0},
        {"16-bit RGB at gamma 1/1.8", PNG_COLOR_TYPE_RGB, 16, true, 1 / 1.8},
    };
    const PngVariant greyVariants[] = {
        {"8-bit grey", PNG_COLOR_TYPE_GRAY, 8},
        {"16-bit grey", PNG_COLOR_TYPE_GRAY, 16},
        {"8-bit grey with alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8},
        {"16-bit grey with alpha, interlaced", PNG_COLOR_TYPE_GRAY_ALPHA, 16, true},
    };
    const auto stageOf = [&](const std::string& name, const RgbImage& picture, const PngVariant& variant) {
        const std::string file = path(name + ".png");
        writePng(file, picture, variant);
        const std::string stage = path(name + ".txt");
        const ToolRun run = runTool({"make", "--from", file, "-o", stage});
        EXPECT_EQ(run.exitCode, exitSuccess) << variant.name << ": " << run.err;
        std::ifstream digits(stage, std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(digits), std::istreambuf_iterator<char>()};
    };
    for (const bool grey : {false, true}) {
        const RgbImage picture = testPicture(grey);
        const std::string expected = stageOf(grey ? "grey-reference" : "reference", picture, reference);
        ASSERT_EQ(expected.size(), 144u);
        int index = 0;
        for (const PngVariant& variant : grey ? std::span<const PngVariant>(greyVariants)
                                              : std::span<const PngVariant>(colourVariants))
            EXPECT_EQ(stageOf("variant" + std::to_string(index++), picture, variant), expected) << variant.name;
    }
    // Crimson is nearest the red panel, whatever the depth it is stored at.
    const RgbImage crimson(9, 16, Rgb{240, 0, 105});
    for (const PngVariant& variant : {reference, colourVariants[0]})
        EXPECT_EQ(stageOf(std::string("crimson-") + variant.name, crimson, variant), std::string(144, '0')) << variant.name;
}

#endif

}  // namespace
}  // namespace kaleidra::stage_tool
