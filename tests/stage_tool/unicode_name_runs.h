#pragma once
// Runs of the tool on files with Japanese names, names outside code page 932 and outside the BMP,
// with the output expected word for word: the native build gives it in-process and the Windows
// build from its real executable, which must take its arguments and print in UTF-16 for that.

#include <string>
#include <vector>

#include "stage_tool/field_picture.h"
#include "tests/stage_tool/stage_tool_test_support.h"
#include "tests/stage_tool/png_test_file.h"

namespace kaleidra::stage_tool {

// In a folder that holds only the look-alikes below, in this order, from that folder.
struct NamedRun {
    std::vector<std::string> arguments;
    int exitCode;
    std::string out;
    std::string err;
};

struct NamedFile {
    std::string name;
    std::string content;
};

// What the folder holds before the first run. Beside the names the runs use, what a conversion
// through code page 932 makes of "café_é.txt" (its best fit), holding another stage, so that a tool
// that opened it would show another field; and a picture of five upright bands in the panel colours.
inline std::vector<NamedFile> namedRunFiles() {
    const auto colours = panelColours(panelSheet().value());
    RgbImage bands(5, 1, Rgb{});
    for (int x = 0; x < bands.width; ++x) bands.at(x, 0) = colours[static_cast<std::size_t>(x)];
    return {{"cafe_e.txt", "444444444444"},
            {utf8(u8"帯_ä🎨.png"), pngFileOf(bands, {"bands", PngColourType::rgb, 8})}};
}

inline std::vector<NamedRun> namedRuns() {
    return {
        {{"make", "--random", "--seed", "7", "--size", "3x4", "-o", utf8(u8"面_9x16.txt")},
         0,
         utf8(u8"wrote 面_9x16.txt: 12 panels for a 3x4 field\n"),
         ""},
        {{"show", utf8(u8"面_9x16.txt"), "--size", "3x4"},
         0,
         "P Y B\n"
         " P Y R\n"
         "P R R\n"
         " B B B\n"
         "red 3, yellow 2, green 0, light blue 4, purple 3 (12 panels, 3x4)\n"
         "clear target 8 (70 % of 12): no colour reaches it\n",
         ""},
        {{"make", "--random", "--seed", "8", "--size=3x4", "-o", utf8(u8"café_é.txt")},
         0,
         utf8(u8"wrote café_é.txt: 12 panels for a 3x4 field\n"),
         ""},
        {{"show", utf8(u8"café_é.txt"), "--size", "3x4", "--percent", "30"},
         0,
         "P P P\n"
         " B Y B\n"
         "Y B R\n"
         " P Y B\n"
         "red 1, yellow 3, green 0, light blue 4, purple 4 (12 panels, 3x4)\n"
         "clear target 3 (30 % of 12): yellow, light blue, purple reaches it\n",
         ""},
        {{"show", "--size", "3x4", "--png", utf8(u8"🎨 field.png"), "--", utf8(u8"面_9x16.txt")},
         0,
         utf8(u8"P Y B\n"
              " P Y R\n"
              "P R R\n"
              " B B B\n"
              "red 3, yellow 2, green 0, light blue 4, purple 3 (12 panels, 3x4)\n"
              "clear target 8 (70 % of 12): no colour reaches it\n"
              u8"picture written to 🎨 field.png\n"),
         ""},
        {{"make", "--from", utf8(u8"🎨 field.png"), "--size", "3x4", "-o", utf8(u8"絵から_é🎨.txt")},
         0,
         utf8(u8"wrote 絵から_é🎨.txt: 12 panels for a 3x4 field\n"),
         ""},
        // Stretched over so small a field, the picture's white margin is all the panel centres see.
        {{"show", utf8(u8"絵から_é🎨.txt"), "--size", "3x4"},
         0,
         "B B B\n"
         " B B B\n"
         "B B B\n"
         " B B B\n"
         "red 0, yellow 0, green 0, light blue 12, purple 0 (12 panels, 3x4)\n"
         "clear target 8 (70 % of 12): light blue reaches it\n",
         ""},
        {{"make", "--from", utf8(u8"帯_ä🎨.png"), "--size", "5x4", "-o", utf8(u8"帯.txt")},
         0,
         utf8(u8"wrote 帯.txt: 20 panels for a 5x4 field\n"),
         ""},
        {{"show", utf8(u8"帯.txt"), "--size", "5x4"},
         0,
         "R Y G B P\n"
         " R Y G B P\n"
         "R Y G B P\n"
         " R Y G B P\n"
         "red 4, yellow 4, green 4, light blue 4, purple 4 (20 panels, 5x4)\n"
         "clear target 14 (70 % of 20): no colour reaches it\n",
         ""},
        {{"show", utf8(u8"無い_ñ🎨.txt")},
         1,
         "",
         utf8(u8"kaleidra-stage: cannot read '無い_ñ🎨.txt': no such file\n")},
        {{"make", "--from", utf8(u8"無い_ñ🎨.png"), "-o", "x.txt"},
         1,
         "",
         utf8(u8"kaleidra-stage: cannot read picture '無い_ñ🎨.png': no such regular file\n")},
    };
}

}  // namespace kaleidra::stage_tool
