#include "pointer_cursor.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace artgen {

namespace {

constexpr int cursorSize = 32;

// Drawn pixel by pixel, since a 45-degree finger only looks clean on the pixel grid:
// '#' black, '.' white, ' ' transparent. The fingertip's corner pixel is the hot spot (0, 0).
constexpr std::array<std::string_view, cursorSize> handPixels{
    "####                            ",
    "#...#                           ",
    "#....#               ###        ",
    "#.....#         #### #..#       ",
    " #.....#        #...##...#      ",
    "  #.....#   #####.....#...#     ",
    "   #.....#  #....#.....#...#    ",
    "    #.....# #.....#.........#   ",
    "     #.....##......#........#   ",
    "      #......#..............#   ",
    "       #......#............#    ",
    "      ##.......#..........#     ",
    "     #...................#      ",
    "     #..................#       ",
    "     #.................#        ",
    "      #...............#         ",
    "       #.............#          ",
    "        #....#......#           ",
    "         #..# #....#            ",
    "          ##   ####             ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
};
static_assert(std::ranges::all_of(handPixels, [](std::string_view row) { return row.size() == cursorSize; }));

}  // namespace

IconImage drawPointerCursor() {
    constexpr std::uint8_t blackIndex = 0;
    constexpr std::uint8_t whiteIndex = 1;
    IconImage image;
    image.bitsPerPixel = 1;
    image.colours = {cursorSize, cursorSize, {black, white}, {}};
    for (std::string_view row : handPixels) {
        for (char pixel : row) {
            image.colours.indices.push_back(pixel == '.' ? whiteIndex : blackIndex);
            image.transparent.push_back(pixel == ' ');
        }
    }
    return image;
}

}  // namespace artgen
