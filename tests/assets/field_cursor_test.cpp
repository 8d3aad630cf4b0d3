#include <gtest/gtest.h>

#include <array>
#include <string>

#include "committed_assets.h"
#include "test_case_names.h"
#include "raster_ops.h"

namespace assets_test {
namespace {

constexpr int width = 64;
constexpr int height = 32;
constexpr Rgb orangeRed{255, 95, 73};
constexpr Rgb pink{255, 0, 128};

struct BandRun {
    int first;
    int last;
};

// The band as stated: rows 1..6 and 26..31 solid tips (rows 1 and 31 span 32..33, widening by
// 4 pixels per row towards the middle); rows 7..25 two runs of 12, from 20..31 and 34..45 on
// row 7 out to 2..13 and 52..63 on row 16, row 16 + d mirroring row 16 - d.
std::vector<BandRun> bandRuns(int y) {
    if (y < 1 || y > 31) return {};
    const int fromMiddle = y <= 16 ? 16 - y : y - 16;  // 15 on rows 1 and 31, 0 on row 16
    if (fromMiddle >= 10) {
        const int widening = 15 - fromMiddle;  // rows from the tip
        return {{32 - 2 * widening, 33 + 2 * widening}};
    }
    const int outerLeft = 2 + 2 * fromMiddle;
    const int outerRight = 63 - 2 * fromMiddle;
    return {{outerLeft, outerLeft + 11}, {outerRight - 11, outerRight}};
}

bool onBand(int x, int y) {
    for (const BandRun& run : bandRuns(y)) {
        if (x >= run.first && x <= run.last) return true;
    }
    return false;
}

class FieldCursor : public ::testing::Test {
protected:
    Bitmap cursor = loadBitmap("field_cursor");
    Bitmap mask = loadBitmap("field_cursor_mask");
};

TEST_F(FieldCursor, MaskIsTheWhiteBandOnBlack) {
    EXPECT_EQ(mask.palette.size(), 2u);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            ASSERT_EQ(mask.at(x, y), onBand(x, y) ? white : black) << "at " << x << ", " << y;
        }
    }
}

TEST_F(FieldCursor, ImageIsExactWhiteOffTheBand) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!onBand(x, y)) {
                ASSERT_EQ(cursor.at(x, y), white) << "at " << x << ", " << y;
            }
        }
    }
}

// Across each run, from the band's outer edge inwards: 2 orange-red, 2 pink, 4 white, 2 pink,
// 2 orange-red. Rows 7..25, where the band is two runs; at the tips the lines meet.
TEST_F(FieldCursor, RunsShowTwoOutlinesWithAWhiteStripeBetween) {
    constexpr std::array<Rgb, 12> fromOuterEdge{
        orangeRed, orangeRed, pink,      pink,       // outer line
        white,     white,     white,     white,      // stripe
        pink,      pink,      orangeRed, orangeRed,  // inner line
    };
    for (int y = 7; y <= 25; ++y) {
        const std::vector<BandRun> runs = bandRuns(y);
        for (int i = 0; i < 12; ++i) {
            const auto expected = fromOuterEdge[static_cast<std::size_t>(i)];
            EXPECT_EQ(cursor.at(runs[0].first + i, y), expected) << "left run, row " << y << ", pixel " << i;
            EXPECT_EQ(cursor.at(runs[1].last - i, y), expected) << "right run, row " << y << ", pixel " << i;
        }
    }
    for (int y : {1, 2, 3, 4, 5, 6, 26, 27, 28, 29, 30, 31}) {
        for (int x = bandRuns(y)[0].first; x <= bandRuns(y)[0].last; ++x) {
            const Rgb c = cursor.at(x, y);
            EXPECT_TRUE(c == orangeRed || c == pink || c == white)
                << "tip pixel " << x << ", " << y << " is " << c;
        }
    }
}

class CursorOverPanel : public FieldCursor, public ::testing::WithParamInterface<int> {};

// Mask with SRCPAINT, then the image with SRCAND: the band shows the cursor's colours unmixed and
// every other pixel keeps the panel.
TEST_P(CursorOverPanel, ChangesOnlyTheBand) {
    const Bitmap sheet = loadBitmap("field_panel");
    for (int frame : {0, 2}) {
        const Bitmap panel = crop(sheet, width * GetParam(), height * frame, width, height);
        Bitmap window = panel;
        blit(window, 0, 0, width, height, mask, 0, 0, RasterOp::Paint);
        blit(window, 0, 0, width, height, cursor, 0, 0, RasterOp::And);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const Rgb expected = onBand(x, y) ? cursor.at(x, y) : panel.at(x, y);
                ASSERT_EQ(window.at(x, y), expected) << "frame " << frame << " at " << x << ", " << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllColours, CursorOverPanel, ::testing::Range(0, panelColourCount),
                         panelColourTestName);

}  // namespace
}  // namespace assets_test
