// Draws every bitmap, the icon and the mouse cursor of the game into a resource directory.
// Usage: kaleidra-artgen <resource-dir> <dejavu-font-dir>

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "bmp_file.h"
#include "byte_writer.h"
#include "core/patterns.h"
#include "digit_sheet.h"
#include "field_cursor.h"
#include "fonts.h"
#include "icon_files.h"
#include "palette_quantizer.h"
#include "panel_sheet.h"
#include "pattern_previews.h"
#include "pointer_cursor.h"
#include "program_icon.h"
#include "result_pictures.h"
#include "status_background.h"
#include "status_panel_sample.h"
#include "title_pictures.h"

namespace {

using namespace artgen;

struct BitmapFile {
    std::string name;  // file name without ".bmp"
    RgbImage image;
    int bitsPerPixel;
    std::vector<Rgb> exactColours;  // colours the raster operations or the layout depend on
};

std::vector<BitmapFile> drawBitmaps(const Fonts& fonts) {
    kaleidra::PatternTable patterns{};
    kaleidra::initPatternTable(patterns);
    std::vector<RgbImage> previews;
    for (int type = 0; type < kaleidra::patternTypeCount; ++type) {
        previews.push_back(drawPatternPreview(patterns, static_cast<kaleidra::PatternType>(type)));
    }
    const RgbImage statusBackground = drawStatusBackground(fonts);
    const RgbImage digitSheet = drawDigitSheet(fonts);
    const RgbImage samplePanel = composeSampleStatusPanel(statusBackground, digitSheet, previews[2]);

    std::vector<BitmapFile> files{
        {"title_author", drawTitleCredit(fonts), 8, {white}},
        {"title_logo1", drawTitleLogo(fonts), 8, {white}},
        {"title_logo2", drawTitleSubtitle(fonts), 8, {white}},
        {"title_back", drawTitleBack(samplePanel), 8, {titleBackground, white}},
        {"field_panel", drawPanelSheet(), 8, {white}},
        {"field_panel_mask", drawPanelMask(), 8, {white, black}},
        {"field_cursor", drawCursorImage(), 8, {white}},
        {"field_cursor_mask", drawCursorMask(), 8, {black, white}},
        {"status_back", statusBackground, 8, {navy, previewAreaColour}},
        {"status_char", digitSheet, 4, {navy}},
    };
    for (std::size_t i = 0; i < previews.size(); ++i) {
        files.push_back({"set_area" + std::to_string(i + 1), previews[i], 4, {white}});
    }
    files.push_back({"result_clear", drawClearPicture(fonts), 8, {}});
    files.push_back({"result_notclear", drawNotClearPicture(fonts), 8, {}});
    return files;
}

void generate(const std::filesystem::path& resources, const std::filesystem::path& fontDirectory) {
    std::filesystem::create_directories(resources / "bitmaps");
    const Fonts fonts(fontDirectory);
    for (const BitmapFile& file : drawBitmaps(fonts)) {
        const IndexedImage indexed = quantize(file.image, 1 << file.bitsPerPixel, file.exactColours);
        writeFile(resources / "bitmaps" / (file.name + ".bmp"), bmpFileBytes(indexed, file.bitsPerPixel));
    }
    writeFile(resources / "icon.ico", icoFileBytes(drawProgramIcon()));
    writeFile(resources / "cursor.cur", curFileBytes(drawPointerCursor(), HotSpot{0, 0}));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: kaleidra-artgen <resource-dir> <dejavu-font-dir>\n";
        return 2;
    }
    try {
        generate(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::cerr << "kaleidra-artgen: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
