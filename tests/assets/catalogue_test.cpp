#include <gtest/gtest.h>

#include <map>
#include <string>

#include "committed_assets.h"
#include "test_case_names.h"

namespace assets_test {
namespace {

struct CatalogueEntry {
    const char* resource;
    const char* file;
    int width;
    int height;
    int bitsPerPixel;
};

void PrintTo(const CatalogueEntry& entry, std::ostream* out) { *out << entry.resource; }

const CatalogueEntry catalogue[] = {
    {"IDB_TITLE_AUTHOR", "title_author", 330, 35, 8},
    {"IDB_TITLE_LOGO1", "title_logo1", 294, 42, 8},
    {"IDB_TITLE_LOGO2", "title_logo2", 508, 65, 8},
    {"IDB_TITLE_BACK", "title_back", 639, 309, 8},
    {"IDB_FIELD_PANEL", "field_panel", 320, 160, 8},
    {"IDB_FIELD_PANEL_MASK", "field_panel_mask", 64, 32, 8},
    {"IDB_FIELD_CURSOR", "field_cursor", 64, 32, 8},
    {"IDB_FIELD_CURSOR_MASK", "field_cursor_mask", 64, 32, 8},
    {"IDB_STATUS_BACK", "status_back", 640, 160, 8},
    {"IDB_STATUS_CHAR", "status_char", 160, 32, 4},
    {"IDB_SET_AREA1", "set_area1", 80, 40, 4},
    {"IDB_SET_AREA2", "set_area2", 80, 40, 4},
    {"IDB_SET_AREA3", "set_area3", 80, 40, 4},
    {"IDB_SET_AREA4", "set_area4", 80, 40, 4},
    {"IDB_SET_AREA5", "set_area5", 80, 40, 4},
    {"IDB_SET_AREA6", "set_area6", 80, 40, 4},
    {"IDB_SET_AREA7", "set_area7", 80, 40, 4},
    {"IDB_RESULT_CLEAR", "result_clear", 80, 80, 8},
    {"IDB_RESULT_NOTCLEAR", "result_notclear", 80, 80, 8},
};

// resource name -> file, from the lines "NAME KIND "file"" of the resource script.
std::map<std::string, std::string> resourceScriptEntries(const std::string& kind) {
    const std::vector<std::uint8_t> bytes = readFileBytes(resourcesDirectory() / "kaleidra.rc");
    const std::string script(bytes.begin(), bytes.end());
    std::map<std::string, std::string> entries;
    std::size_t lineStart = 0;
    while (lineStart < script.size()) {
        std::size_t lineEnd = script.find('\n', lineStart);
        if (lineEnd == std::string::npos) lineEnd = script.size();
        const std::string line = script.substr(lineStart, lineEnd - lineStart);
        const std::string separator = " " + kind + " \"";
        const std::size_t at = line.find(separator);
        const std::size_t close = line.rfind('"');
        if (at != std::string::npos && close > at + separator.size()) {
            entries[line.substr(0, at)] = line.substr(at + separator.size(), close - at - separator.size());
        }
        lineStart = lineEnd + 1;
    }
    return entries;
}

class CatalogueBitmap : public ::testing::TestWithParam<CatalogueEntry> {};

TEST_P(CatalogueBitmap, HasItsSizeAndDepth) {
    const Bitmap bitmap = loadBitmap(GetParam().file);
    EXPECT_EQ(bitmap.width, GetParam().width);
    EXPECT_EQ(bitmap.height, GetParam().height);
    EXPECT_EQ(bitmap.bitsPerPixel, GetParam().bitsPerPixel);
}

TEST_P(CatalogueBitmap, IsNamedInTheResourceScript) {
    const auto entries = resourceScriptEntries("BITMAP");
    const auto entry = entries.find(GetParam().resource);
    ASSERT_NE(entry, entries.end());
    EXPECT_EQ(entry->second, std::string("bitmaps/") + GetParam().file + ".bmp");
}

INSTANTIATE_TEST_SUITE_P(AllBitmaps, CatalogueBitmap, ::testing::ValuesIn(catalogue),
                         ::testing::PrintToStringParamName());

TEST(ResourceScript, NamesTheIconAndTheCursor) {
    const auto icons = resourceScriptEntries("ICON");
    const auto cursors = resourceScriptEntries("CURSOR");
    ASSERT_TRUE(icons.contains("IDI_ICON"));
    ASSERT_TRUE(cursors.contains("IDC_CURSOR"));
    EXPECT_TRUE(std::filesystem::exists(resourcesDirectory() / icons.at("IDI_ICON")));
    EXPECT_TRUE(std::filesystem::exists(resourcesDirectory() / cursors.at("IDC_CURSOR")));
}

class TitlePiece : public ::testing::TestWithParam<const char*> {};

// Copied onto the white main window: the picture's edges must be the window's exact white, and
// white must be its background, not just a frame.
TEST_P(TitlePiece, HasAnExactWhiteBackground) {
    const Bitmap piece = loadBitmap(GetParam());
    std::size_t whitePixels = 0;
    for (int y = 0; y < piece.height; ++y) {
        for (int x = 0; x < piece.width; ++x) {
            const bool edge = x == 0 || y == 0 || x == piece.width - 1 || y == piece.height - 1;
            if (edge) {
                ASSERT_EQ(piece.at(x, y), white) << "at " << x << ", " << y;
            }
            whitePixels += piece.at(x, y) == white ? 1 : 0;
        }
    }
    EXPECT_GT(whitePixels, piece.pixels.size() / 2);
}

INSTANTIATE_TEST_SUITE_P(Lettering, TitlePiece,
                         ::testing::Values("title_author", "title_logo1", "title_logo2"), bitmapFileTestName);

TEST(TitleBack, HasTheNearWhiteBackgroundWhereNothingIsDrawn) {
    const Bitmap back = loadBitmap("title_back");
    for (const auto& [x, y] : {std::pair{0, 308}, std::pair{6, 200}, std::pair{400, 300}}) {
        EXPECT_EQ(back.at(x, y), (Rgb{252, 252, 252})) << "at " << x << ", " << y;
    }
}

// The main window's white lies above the picture (at y 171) and beside its last column (x 639):
// the edges that meet it must be that white, or a faint line shows.
TEST(TitleBack, ItsTopRowAndRightColumnAreTheWindowsWhite) {
    const Bitmap back = loadBitmap("title_back");
    for (int x = 0; x < back.width; ++x) ASSERT_EQ(back.at(x, 0), white) << "top row at " << x;
    for (int y = 0; y < back.height; ++y) ASSERT_EQ(back.at(back.width - 1, y), white) << "right column at " << y;
}

// During a game the picture shows only left of the field window (x 0..12), right of it (x 627..)
// and below it (rows 289..): there it is the plain background, brightening into the white edges.
TEST(TitleBack, ShowsOnlyCalmBackgroundAroundTheField) {
    const Bitmap back = loadBitmap("title_back");
    for (int y = 0; y < back.height; ++y) {
        for (int x = 0; x < back.width; ++x) {
            if (x >= 13 && x < 627 && y < 289) continue;
            const Rgb pixel = back.at(x, y);
            ASSERT_TRUE(pixel.r == pixel.g && pixel.g == pixel.b && pixel.r >= 252)
                << "at " << x << ", " << y;
        }
    }
}

}  // namespace
}  // namespace assets_test
