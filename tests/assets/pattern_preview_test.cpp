#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "committed_assets.h"
#include "core/patterns.h"

namespace assets_test {
namespace {

constexpr Rgb clickedYellow{255, 255, 0};
constexpr Rgb coveredGreen{0, 255, 0};
constexpr int previewWidth = 80;
constexpr int previewHeight = 40;

struct PreviewCase {
    const char* file;
    kaleidra::PatternType type;
};

void PrintTo(const PreviewCase& c, std::ostream* out) { *out << c.file; }

const PreviewCase previews[] = {
    {"set_area1", kaleidra::TypeA}, {"set_area2", kaleidra::TypeB}, {"set_area3", kaleidra::TypeC},
    {"set_area4", kaleidra::TypeD}, {"set_area5", kaleidra::TypeE}, {"set_area6", kaleidra::TypeF},
    {"set_area7", kaleidra::TypeG},
};

class PatternPreview : public ::testing::TestWithParam<PreviewCase> {};

// Quarter scale: a lattice offset moves a panel by (32 (2 dcol - drow), 16 drow) on the field, so
// a small diamond's centre lies at (40 + 8 (2 dcol - drow), 20 + 4 drow) in the preview. The
// middle 2 x 2 pixels of every diamond in view show whether the pattern covers that cell.
TEST_P(PatternPreview, ShowsThePatternTablesCellsAroundTheCentre) {
    kaleidra::PatternTable table{};
    kaleidra::initPatternTable(table);
    std::set<std::pair<int, int>> covered;
    kaleidra::forEachPatternOffset(table, GetParam().type, [&](std::int32_t dcol, std::int32_t drow) {
        covered.insert({dcol, drow});
    });

    const Bitmap preview = loadBitmap(GetParam().file);
    ASSERT_EQ(preview.width, previewWidth);
    ASSERT_EQ(preview.height, previewHeight);
    std::set<std::pair<int, int>> shown;
    for (int drow = -5; drow <= 5; ++drow) {
        for (int dcol = -5; dcol <= 5; ++dcol) {
            const int cx = 40 + 8 * (2 * dcol - drow);
            const int cy = 20 + 4 * drow;
            if (cx < 1 || cy < 1 || cx >= previewWidth || cy >= previewHeight) continue;
            const bool isClicked = dcol == 0 && drow == 0;
            const Rgb expected = isClicked                        ? clickedYellow
                                 : covered.contains({dcol, drow}) ? coveredGreen
                                                                  : white;
            for (int y = cy - 1; y <= cy; ++y) {
                for (int x = cx - 1; x <= cx; ++x) {
                    EXPECT_EQ(preview.at(x, y), expected)
                        << "cell (" << dcol << ", " << drow << ") at " << x << ", " << y;
                }
            }
            if (expected != white) shown.insert({dcol, drow});
        }
    }
    EXPECT_EQ(shown, covered) << "every cell of the pattern is in view";
}

INSTANTIATE_TEST_SUITE_P(AllTypes, PatternPreview, ::testing::ValuesIn(previews),
                         ::testing::PrintToStringParamName());

}  // namespace
}  // namespace assets_test
