#include <fstream>
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

#endif

}  // namespace
}  // namespace kaleidra::stage_tool
