#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "committed_assets.h"
#include "test_case_names.h"
#include "raster_ops.h"

namespace assets_test {
namespace {

constexpr int panelWidth = 64;
constexpr int panelHeight = 32;
constexpr int colourCount = panelColourCount;

// The diamond as the drawing code relies on it: rows 1..30; row y (1..13) spans 32 - 2y to
// 33 + 2y, row 14 spans 5..60, rows 15 and 16 span 4..61, and row y mirrors row 31 - y.
bool inDiamond(int x, int y) {
    if (y < 1 || y > 30) return false;
    const int upper = y <= 15 ? y : 31 - y;
    if (upper <= 13) return x >= 32 - 2 * upper && x <= 33 + 2 * upper;
    if (upper == 14) return x >= 5 && x <= 60;
    return x >= 4 && x <= 61;
}

// Which panel colour a shade belongs to, told by which channels stand out: red alone, red and
// green (yellow), green alone, green and blue (light blue), red and blue (purple); -1 otherwise.
int colourFamily(Rgb c) {
    const int high = std::max({c.r, c.g, c.b});
    const int low = std::min({c.r, c.g, c.b});
    if (high == low) return -1;
    const int middle = (high + low) / 2;
    const bool r = c.r > middle;
    const bool g = c.g > middle;
    const bool b = c.b > middle;
    if (r && !g && !b) return 0;
    if (r && g && !b) return 1;
    if (!r && g && !b) return 2;
    if (!r && g && b) return 3;
    if (r && !g && b) return 4;
    return -1;
}

class PanelSheet : public ::testing::Test {
protected:
    Bitmap piece(int colour, int frame) const {
        return crop(sheet, panelWidth * colour, panelHeight * frame, panelWidth, panelHeight);
    }

    Bitmap sheet = loadBitmap("field_panel");
    Bitmap mask = loadBitmap("field_panel_mask");
};

TEST_F(PanelSheet, DiamondRuleCovers1008Pixels) {
    int pixels = 0;
    for (int y = 0; y < panelHeight; ++y) {
        for (int x = 0; x < panelWidth; ++x) pixels += inDiamond(x, y) ? 1 : 0;
    }
    EXPECT_EQ(pixels, 1008);
}

TEST_F(PanelSheet, MaskIsWhiteExactlyOnTheDiamondAndBlackElsewhere) {
    for (int y = 0; y < panelHeight; ++y) {
        for (int x = 0; x < panelWidth; ++x) {
            ASSERT_EQ(mask.at(x, y), inDiamond(x, y) ? white : black) << "at " << x << ", " << y;
        }
    }
}

struct PieceCase {
    int colour;
    int frame;
};

std::string pieceName(const ::testing::TestParamInfo<PieceCase>& info) {
    return panelColourName(info.param.colour) + "Frame" + std::to_string(info.param.frame);
}

std::vector<PieceCase> allPieces() {
    std::vector<PieceCase> pieces;
    for (int colour = 0; colour < colourCount; ++colour) {
        for (int frame = 0; frame < 5; ++frame) pieces.push_back({colour, frame});
    }
    return pieces;
}

class PanelPiece : public PanelSheet, public ::testing::WithParamInterface<PieceCase> {};

// SRCAND on white leaves exactly the diamond, and the mask whitens exactly the piece's region.
TEST_P(PanelPiece, IsExactWhiteOutsideTheDiamondAndNeverWhiteInside) {
    const Bitmap p = piece(GetParam().colour, GetParam().frame);
    for (int y = 0; y < panelHeight; ++y) {
        for (int x = 0; x < panelWidth; ++x) {
            if (inDiamond(x, y)) {
                ASSERT_NE(p.at(x, y), white) << "at " << x << ", " << y;
            } else {
                ASSERT_EQ(p.at(x, y), white) << "at " << x << ", " << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllColoursAndFrames, PanelPiece, ::testing::ValuesIn(allPieces()), pieceName);

class PanelColour : public PanelSheet, public ::testing::WithParamInterface<int> {
protected:
    int colour() const { return GetParam(); }
    int nextColour() const { return (GetParam() + 1) % colourCount; }
};

// The panel operation commits a new colour without drawing again.
TEST_P(PanelColour, LastFrameEqualsTheNextColoursRestingFrame) {
    const Bitmap last = piece(colour(), 4);
    const Bitmap next = piece(nextColour(), 0);
    EXPECT_EQ(last.pixels, next.pixels);
}

TEST_P(PanelColour, RestingFrameShowsTheFaceAndRimColours) {
    constexpr std::array<Rgb, colourCount> faces{
        {{255, 80, 80}, {255, 255, 80}, {80, 255, 80}, {80, 255, 255}, {255, 80, 255}}};
    constexpr std::array<Rgb, colourCount> rims{
        {{208, 80, 80}, {208, 208, 80}, {80, 208, 80}, {80, 208, 208}, {208, 80, 208}}};
    const Bitmap resting = piece(colour(), 0);
    int facePixels = 0;
    int rimPixels = 0;
    for (int y = 0; y < panelHeight; ++y) {
        for (int x = 0; x < panelWidth; ++x) {
            if (!inDiamond(x, y)) continue;
            ASSERT_EQ(colourFamily(resting.at(x, y)), colour()) << "at " << x << ", " << y;
            facePixels += resting.at(x, y) == faces[static_cast<std::size_t>(colour())] ? 1 : 0;
            rimPixels += resting.at(x, y) == rims[static_cast<std::size_t>(colour())] ? 1 : 0;
        }
    }
    EXPECT_GT(facePixels, 1008 / 2) << "the top face fills most of the diamond";
    EXPECT_GT(rimPixels, 0) << "the rim shows the slab's thickness";
}

// Frames 1 to 3 slide the next colour in from the upper-right edge: the covered part grows, and
// wherever a pixel is covered, so are the pixels to its right and above it (nearer that edge).
TEST_P(PanelColour, SlidingFramesCoverAQuarterHalfAndThreeQuartersFromTheUpperRightEdge) {
    constexpr std::array<int, 3> expectedPixels{248, 504, 760};
    constexpr int tolerance = 16;  // about one line of pixels along the layer's front
    Bitmap earlier = piece(colour(), 0);
    for (int frame = 1; frame <= 3; ++frame) {
        SCOPED_TRACE("frame " + std::to_string(frame));
        const Bitmap p = piece(colour(), frame);
        const auto covered = [&](const Bitmap& b, int x, int y) {
            return colourFamily(b.at(x, y)) == nextColour();
        };
        int pixels = 0;
        for (int y = 0; y < panelHeight; ++y) {
            for (int x = 0; x < panelWidth; ++x) {
                if (!inDiamond(x, y)) continue;
                const int family = colourFamily(p.at(x, y));
                ASSERT_TRUE(family == colour() || family == nextColour()) << "at " << x << ", " << y;
                if (covered(earlier, x, y)) {
                    EXPECT_TRUE(covered(p, x, y)) << "uncovered again at " << x << ", " << y;
                }
                if (!covered(p, x, y)) continue;
                ++pixels;
                if (inDiamond(x + 1, y)) {
                    EXPECT_TRUE(covered(p, x + 1, y)) << "right of " << x << ", " << y;
                }
                if (inDiamond(x, y - 1)) {
                    EXPECT_TRUE(covered(p, x, y - 1)) << "above " << x << ", " << y;
                }
            }
        }
        EXPECT_NEAR(pixels, expectedPixels[static_cast<std::size_t>(frame - 1)], tolerance);
        earlier = p;
    }
}

INSTANTIATE_TEST_SUITE_P(AllColours, PanelColour, ::testing::Range(0, colourCount), panelColourTestName);

struct NeighbourCase {
    const char* label;
    int dx;
    int dy;
};

void PrintTo(const NeighbourCase& c, std::ostream* out) { *out << c.label; }

const NeighbourCase diagonalNeighbours[] = {
    {"upRight", 32, -16}, {"upLeft", -32, -16}, {"downLeft", -32, 16}, {"downRight", 32, 16}};

class DiagonalNeighbour : public PanelSheet, public ::testing::WithParamInterface<NeighbourCase> {};

// Red and light blue share no channel, so any overlap under SRCAND would turn black.
TEST_P(DiagonalNeighbour, FullRepaintLeavesBothPanelsUnmixed) {
    const int cellX = 64;
    const int cellY = 32;
    const int neighbourX = cellX + GetParam().dx;
    const int neighbourY = cellY + GetParam().dy;
    for (const auto& [cellColour, neighbourColour] : {std::pair{0, 3}, std::pair{3, 0}, std::pair{1, 4}}) {
        Bitmap window = blankBitmap(192, 96, white);
        blit(window, cellX, cellY, panelWidth, panelHeight, sheet, panelWidth * cellColour, 0, RasterOp::And);
        blit(window, neighbourX, neighbourY, panelWidth, panelHeight, sheet, panelWidth * neighbourColour, 0,
             RasterOp::And);
        const Bitmap cell = piece(cellColour, 0);
        const Bitmap neighbour = piece(neighbourColour, 0);
        for (int y = 0; y < panelHeight; ++y) {
            for (int x = 0; x < panelWidth; ++x) {
                if (inDiamond(x, y)) {
                    ASSERT_EQ(window.at(cellX + x, cellY + y), cell.at(x, y)) << x << ", " << y;
                }
                if (inDiamond(x, y)) {
                    ASSERT_EQ(window.at(neighbourX + x, neighbourY + y), neighbour.at(x, y))
                        << x << ", " << y;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Directions, DiagonalNeighbour, ::testing::ValuesIn(diagonalNeighbours),
                         ::testing::PrintToStringParamName());

// Redrawing one cell (neighbours copied into a white scratch image, mask, then the piece) must give
// the same rectangle as repainting the whole field, for every frame of the cell.
TEST_F(PanelSheet, SingleCellRedrawMatchesTheFullRepaint) {
    // A cell at (96, 48) in a small window with its four diagonal neighbours, the only panels whose
    // rectangles overlap its own.
    struct Placed {
        int x;
        int y;
        int colour;
    };
    const Placed cell{96, 48, 2};
    const Placed neighbours[] = {{128, 32, 0}, {64, 32, 4}, {64, 64, 3}, {128, 64, 1}};
    for (int frame = 0; frame < 5; ++frame) {
        SCOPED_TRACE("frame " + std::to_string(frame));
        Bitmap window = blankBitmap(256, 128, white);
        for (const Placed& n : neighbours) {
            blit(window, n.x, n.y, panelWidth, panelHeight, sheet, panelWidth * n.colour, 0, RasterOp::And);
        }
        Bitmap expected = window;
        blit(expected, cell.x, cell.y, panelWidth, panelHeight, sheet, panelWidth * cell.colour,
             panelHeight * frame, RasterOp::And);

        Bitmap scratch = blankBitmap(panelWidth, panelHeight, white);
        for (const Placed& n : neighbours) {
            blit(scratch, n.x - cell.x, n.y - cell.y, panelWidth, panelHeight, sheet, panelWidth * n.colour,
                 0, RasterOp::Copy);
        }
        blit(scratch, 0, 0, panelWidth, panelHeight, mask, 0, 0, RasterOp::Paint);
        blit(scratch, 0, 0, panelWidth, panelHeight, sheet, panelWidth * cell.colour, panelHeight * frame,
             RasterOp::And);
        blit(window, cell.x, cell.y, panelWidth, panelHeight, scratch, 0, 0, RasterOp::Copy);
        EXPECT_EQ(window.pixels, expected.pixels);
    }
}

}  // namespace
}  // namespace assets_test
