#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "core/stage.h"
#include "stage_tool/bitmap_reader.h"
#include "stage_tool/field_picture.h"
#include "stage_tool/field_rules.h"
#include "stage_tool/loaded_stage.h"
#include "stage_tool/panel_sheet_bytes.h"
#include "stage_tool/picture_file.h"
#include "stage_tool/png_gamma.h"
#include "stage_tool/stage_making.h"
#include "tests/stage_tool/png_test_file.h"
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
    constexpr auto rgb = PngColourType::rgb;
    constexpr auto palette = PngColourType::palette;
    constexpr auto rgbAlpha = PngColourType::rgbAlpha;
    constexpr auto grey = PngColourType::grey;
    constexpr auto greyAlpha = PngColourType::greyAlpha;
    const PngVariant reference{"8-bit RGB", rgb, 8};
    const PngVariant colourVariants[] = {
        {"16-bit RGB", rgb, 16},
        {"palette", palette, 8},
        {"8-bit RGBA", rgbAlpha, 8},
        {"16-bit RGBA", rgbAlpha, 16},
        {"8-bit RGB interlaced", rgb, 8, true},
        {"16-bit RGB interlaced", rgb, 16, true},
        {"palette interlaced", palette, 8, true},
        {"8-bit RGB with an sRGB chunk", rgb, 8, false, 0, true},
        {"16-bit RGB in linear light (gAMA 1.0)", rgb, 16, false, 1.0},
        {"16-bit RGB at gamma 1/1.8", rgb, 16, true, 1 / 1.8},
    };
    const PngVariant greyVariants[] = {
        {"8-bit grey", grey, 8},
        {"16-bit grey", grey, 16},
        {"8-bit grey with alpha", greyAlpha, 8},
        {"16-bit grey with alpha, interlaced", greyAlpha, 16, true},
    };
    const auto stageOf = [&](const std::string& name, const RgbImage& picture, const PngVariant& variant) {
        const std::string file = write(name + ".png", pngFileOf(picture, variant));
        const std::string stage = path(name + ".txt");
        const ToolRun run = runTool({"make", "--from", file, "-o", stage});
        EXPECT_EQ(run.exitCode, exitSuccess) << variant.name << ": " << run.err;
        std::ifstream digits(stage, std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(digits), std::istreambuf_iterator<char>()};
    };
    for (const bool greyPicture : {false, true}) {
        const RgbImage picture = testPicture(greyPicture);
        const std::string expected = stageOf(greyPicture ? "grey-reference" : "reference", picture, reference);
        ASSERT_EQ(expected.size(), 144u);
        int index = 0;
        for (const PngVariant& variant : greyPicture ? std::span<const PngVariant>(greyVariants)
                                                     : std::span<const PngVariant>(colourVariants))
            EXPECT_EQ(stageOf("variant" + std::to_string(index++), picture, variant), expected) << variant.name;
    }
    // Crimson is nearest the red panel, whatever the depth it is stored at.
    const RgbImage crimson(9, 16, Rgb{240, 0, 105});
    for (const PngVariant& variant : {reference, colourVariants[0]})
        EXPECT_EQ(stageOf(std::string("crimson-") + variant.name, crimson, variant), std::string(144, '0')) << variant.name;
}

// Grey samples under what the file says of its gamma, as a screen of gamma 2.2 shows them; libpng's
// rules decide which chunk counts, and all 16 bits of a sample count.
TEST_F(Pictures, ReadSamplesInTheGammaTheFileStates) {
    const std::vector<int> strip8{0, 32, 64, 128, 192, 255};
    const std::vector<int> strip16{0, 32 * 257, 64 * 257, 128 * 257, 192 * 257, 255 * 257};
    // Samples whose low byte changes the result: 0x8100 rounds to 128 where its high byte says 129.
    const std::vector<int> lowBytes16{0x0080, 0x00C0, 0x7F80, 0x8100};
    const std::string linear = pngChunk("gAMA", bigEndian32(100000));
    const std::string srgb = pngChunk("sRGB", std::string(1, '\0'));
    const std::vector<int> asStored{0, 32, 64, 128, 192, 255};
    const std::vector<int> fromLinear{0, 99, 136, 186, 224, 255};
    const struct {
        const char* label;
        int bitDepth;
        std::vector<int> samples;
        std::string chunksBefore;
        std::string chunksAfter;
        std::vector<int> shown;
        PngColourType colourType = PngColourType::grey;  // RGB repeats each grey sample
    } cases[] = {
        {"no chunk: sRGB", 8, strip8, "", "", asStored},
        {"no chunk at 16 bits", 16, strip16, "", "", asStored},
        {"no chunk, low bytes", 16, lowBytes16, "", "", {0, 1, 127, 128}},
        {"gAMA 1.0, linear light", 8, strip8, linear, "", fromLinear},
        {"gAMA 1.0 at 16 bits", 16, strip16, linear, "", fromLinear},
        {"gAMA 1.0, low bytes", 16, lowBytes16, linear, "", {14, 17, 186, 187}},
        {"gAMA 1/2.2, sRGB's", 8, strip8, pngChunk("gAMA", bigEndian32(45455)), "", asStored},
        {"gAMA 0.48", 8, strip8, pngChunk("gAMA", bigEndian32(48000)), "", {0, 36, 69, 133, 195, 255}},
        {"gAMA 0.47, too close to sRGB's to change anything", 8, strip8, pngChunk("gAMA", bigEndian32(47000)), "",
         asStored},
        {"sRGB before gAMA 1.0", 8, strip8, srgb + linear, "", asStored},
        {"sRGB after gAMA 1.0", 8, strip8, linear + srgb, "", asStored},
        {"two gAMA chunks: the first counts", 8, strip8, linear + pngChunk("gAMA", bigEndian32(45455)), "",
         fromLinear},
        {"gAMA out of bounds", 8, strip8, pngChunk("gAMA", bigEndian32(10)), "", asStored},
        {"gAMA out of bounds, then gAMA 1.0", 8, strip8, pngChunk("gAMA", bigEndian32(10)) + linear, "", asStored},
        {"gAMA 1.0, then one out of bounds", 8, strip8, linear + pngChunk("gAMA", bigEndian32(10)), "", fromLinear},
        {"gAMA of three bytes, then gAMA 1.0", 8, strip8, pngChunk("gAMA", "\x01\x86\xA0") + linear, "",
         fromLinear},
        {"sRGB of two bytes, then gAMA 1.0", 8, strip8, pngChunk("sRGB", std::string(2, '\0')) + linear, "",
         fromLinear},
        {"gAMA after a suggested palette", 8, strip8, pngChunk("PLTE", std::string(3, '\0')) + linear, "", asStored,
         PngColourType::rgb},
        {"gAMA after the image data", 8, strip8, "", linear, asStored},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::string scanline(1, '\0');
        const int channels = c.colourType == PngColourType::rgb ? 3 : 1;
        for (const int sample : c.samples) {
            for (int channel = 0; channel < channels; ++channel) {
                if (c.bitDepth == 16) scanline += static_cast<char>(sample >> 8);
                scanline += static_cast<char>(sample & 0xFF);
            }
        }
        const auto width = static_cast<std::uint32_t>(c.samples.size());
        const std::string file = write("strip.png", pngFileOf(PngParts{width, 1, c.bitDepth, c.colourType, false,
                                                                        c.chunksBefore, scanline, c.chunksAfter}));
        const PictureRead read = readPicture(file);
        ASSERT_TRUE(read.read) << read.problem;
        std::vector<int> shown;
        for (const Rgb pixel : read.image.pixels) {
            EXPECT_TRUE(pixel.r == pixel.g && pixel.g == pixel.b);
            shown.push_back(pixel.r);
        }
        EXPECT_EQ(shown, c.shown);
    }
}

// Crimson at half opacity, and a fully transparent pixel, over the field's white background.
TEST_F(Pictures, LayTransparentPixelsOverWhite) {
    const auto byte = [](int value) { return static_cast<char>(value); };
    const auto twice = [&](int value) { return std::string{byte(value), byte(value)}; };
    const std::string palette = pngChunk("PLTE", {byte(240), 0, 105, 10, 20, 30});
    const Rgb halfCrimson{247, 127, 180};
    const Rgb white{255, 255, 255};
    const struct {
        const char* label;
        PngParts parts;
        Rgb first;
    } cases[] = {
        {"8-bit RGBA", {2, 1, 8, PngColourType::rgbAlpha, false, "", {0, byte(240), 0, 105, byte(128), 10, 20, 30, 0}, ""},
         halfCrimson},
        {"16-bit RGBA",
         {2, 1, 16, PngColourType::rgbAlpha, false, "",
          std::string(1, '\0') + twice(240) + twice(0) + twice(105) + twice(128) + twice(10) + twice(20) + twice(30) +
              twice(0),
          ""},
         halfCrimson},
        {"palette with tRNS",
         {2, 1, 8, PngColourType::palette, false, palette + pngChunk("tRNS", {byte(128), 0}), {0, 0, 1}, ""},
         halfCrimson},
        {"8-bit grey with alpha", {2, 1, 8, PngColourType::greyAlpha, false, "", {0, 100, byte(128), 50, 0}, ""},
         {177, 177, 177}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const PictureRead read = readPicture(write("alpha.png", pngFileOf(c.parts)));
        ASSERT_TRUE(read.read) << read.problem;
        EXPECT_EQ(read.image.at(0, 0), c.first);
        EXPECT_EQ(read.image.at(1, 0), white);
    }
}

#endif

#if KALEIDRA_STAGE_PNG && !defined(_WIN32)

// The Windows build corrects gamma itself, as libpng does here: every sample at 8 and 16 bits, at
// gammas on both sides of sRGB's, near it and at the bounds, gives what libpng gives.
TEST_F(Pictures, SamplesToSrgbGivesWhatLibpngGivesForEverySample) {
    for (const int bitDepth : {8, 16}) {
        const std::uint32_t count = bitDepth == 16 ? 0x10000 : 0x100;
        std::string scanline(1, '\0');
        for (std::uint32_t sample = 0; sample < count; ++sample) {
            if (bitDepth == 16) scanline += static_cast<char>(sample >> 8);
            scanline += static_cast<char>(sample & 0xFF);
        }
        for (const std::uint32_t gamma : {16u, 30000u, 45455u, 47000u, 48000u, 80000u, 100000u, 625000000u}) {
            SCOPED_TRACE(std::to_string(bitDepth) + " bits, gAMA " + std::to_string(gamma));
            const std::string file = pngFileOf(PngParts{count, 1, bitDepth, PngColourType::grey, false,
                                                        pngChunk("gAMA", bigEndian32(gamma)), scanline, ""});
            const PictureRead read = readPicture(write("sweep.png", file));
            ASSERT_TRUE(read.read) << read.problem;
            const SamplesToSrgb toSrgb(pngFileGamma(file), bitDepth);
            int differing = 0;
            for (std::uint32_t sample = 0; sample < count; ++sample)
                differing += read.image.pixels[sample].r != toSrgb(static_cast<std::uint16_t>(sample));
            EXPECT_EQ(differing, 0);
        }
    }
}

#endif

// The chunk scan that finds a file's gamma for the system's codecs meets hostile lengths too.
TEST(PngFileGamma, StopsAtLyingLengthsWithoutReadingPastTheFile) {
    const std::string signature("\x89PNG\r\n\x1a\n", 8);
    const std::string linear = pngChunk("gAMA", bigEndian32(100000));
    const struct {
        const char* label;
        std::string bytes;
        std::uint32_t gamma;
    } cases[] = {
        {"signature only", signature, srgbFileGamma},
        {"shorter than the signature", signature.substr(0, 5), srgbFileGamma},
        {"a gAMA chunk", signature + linear, 100000},
        {"a gAMA chunk cut short", signature + linear.substr(0, linear.size() - 1), srgbFileGamma},
        {"a length past the end", signature + bigEndian32(0xFFFFFFFF) + "gAMA" + bigEndian32(100000), srgbFileGamma},
        {"a gAMA of three bytes", signature + pngChunk("gAMA", "\x01\x86\xA0"), srgbFileGamma},
        {"a gAMA behind a chunk that runs past the end", signature + bigEndian32(0x7FFFFFF0) + "tEXt" + linear,
         srgbFileGamma},
        {"a gAMA behind the image data", signature + pngChunk("IDAT", "") + linear, srgbFileGamma},
    };
    for (const auto& c : cases) {
        // An exact-size copy, so that a read past its end is caught by the sanitizers.
        const std::vector<char> exact(c.bytes.begin(), c.bytes.end());
        EXPECT_EQ(pngFileGamma(std::string_view(exact.data(), exact.size())), c.gamma) << c.label;
    }
}

}  // namespace
}  // namespace kaleidra::stage_tool
