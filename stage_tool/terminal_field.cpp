#include "stage_tool/terminal_field.h"

#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace kaleidra::stage_tool {

bool standardOutputIsTerminal() {
#ifdef _WIN32
    // The text reaches a console in UTF-16 (console_output.h), so its code page is left alone.
    const HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (!GetConsoleMode(console, &mode)) return false;
    // Without escape processing the colours would show as text: fall back on letters.
    return SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
#else
    return isatty(STDOUT_FILENO) != 0;
#endif
}

void writeFieldText(std::ostream& out, const LoadedStage& stage, bool inColour,
                    const std::array<Rgb, panelColourCount>& colours) {
    const GameSettings& settings = stage.settings;
    // A panel's text column is its lattice x from the field's left edge: neighbours in a row stand
    // two apart, and the rows in between sit half a panel to the side.
    std::vector<std::string> lines(latticeRows);
    std::vector<std::size_t> widths(latticeRows, 0);  // visible characters, without the escapes
    forEachInFieldCell(settings, [&](std::int32_t col, std::int32_t row) {
        std::string& line = lines[static_cast<std::size_t>(row)];
        std::size_t& width = widths[static_cast<std::size_t>(row)];
        const auto column = static_cast<std::size_t>(latticeX(col, row) - settings.columnMargin);
        for (; width < column; ++width) line += ' ';
        ++width;
        const std::int32_t colour = colourAt(stage, col, row);
        if (colour < 0 || colour >= panelColourCount) {
            line += '?';
        } else if (inColour) {
            const Rgb rgb = colours[static_cast<std::size_t>(colour)];
            line += "\x1b[38;2;" + std::to_string(rgb.r) + ";" + std::to_string(rgb.g) + ";" +
                    std::to_string(rgb.b) + "m\u25C6\x1b[0m";
        } else {
            line += colourLetters[static_cast<std::size_t>(colour)];
        }
    });
    for (std::int32_t row = settings.rowMargin; row < latticeRows - settings.rowMargin; ++row)
        out << lines[static_cast<std::size_t>(row)] << "\n";
}

}  // namespace kaleidra::stage_tool
