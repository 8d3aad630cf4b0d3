#pragma once
// Where the status panel draws its numbers and its pattern preview; the background art puts its
// navy boxes and the preview's frame exactly there.

#include <array>

namespace artgen {

inline constexpr int statusWidth = 640;
inline constexpr int statusHeight = 160;
inline constexpr int digitSize = 16;

struct DigitBox {
    int x;  // first slot
    int y;
    int slots;  // 16 pixels each, left to right
};

inline constexpr std::array<DigitBox, 5> colourCountBoxes{
    {{80, 66, 3}, {142, 66, 3}, {204, 66, 3}, {266, 66, 3}, {328, 66, 3}}};
inline constexpr DigitBox columnsBox{150, 94, 2};
inline constexpr DigitBox rowsBox{220, 94, 2};
inline constexpr DigitBox totalPanelsBox{314, 94, 3};
inline constexpr DigitBox secondsBox{104, 128, 4};
inline constexpr DigitBox turnsBox{336, 128, 4};
inline constexpr DigitBox clearTargetBox{400, 66, 3};
inline constexpr DigitBox clearPercentageBox{400, 89, 3};
inline constexpr DigitBox coveredPanelsBox{507, 112, 2};
inline constexpr DigitBox patternPanelsBox{564, 112, 2};

struct PreviewArea {
    int x;
    int y;
    int width;
    int height;
};

inline constexpr PreviewArea patternPreviewArea{511, 34, 80, 40};

}  // namespace artgen
