// kaleidra-stage show: the field the game builds from a stage file, its counts and the clear target.
#include <iostream>
#include <string>

#include "stage_tool/command_line.h"
#include "stage_tool/field_picture.h"
#include "stage_tool/loaded_stage.h"
#include "stage_tool/picture_file.h"
#include "stage_tool/rule_options.h"
#include "stage_tool/terminal_field.h"

namespace kaleidra::stage_tool {

namespace {

constexpr std::string_view showUsage = "usage: kaleidra-stage show FILE [--size COLSxROWS] [--percent P] [--png OUT]";

void writeHelp(std::ostream& out) {
    out << showUsage << "\n\n"
        << "Shows the field the game builds from FILE: diamonds in the panels' colours on a terminal,\n"
        << "the letters R Y G B P (red, yellow, green, light blue, purple) otherwise; then the five\n"
        << "colour counts, the clear target and whether a colour already reaches it.\n\n"
        << sizeHelp << percentHelp
        << "  --png OUT         also write the field as the game draws it at rest, 608 x 288 pixels"
        << (picturesSupported ? "\n" : "\n                    (not in this build: it has no PNG support)\n");
}

void writeCounts(std::ostream& out, const LoadedStage& stage) {
    const GameSettings& settings = stage.settings;
    for (std::size_t colour = 0; colour < panelColourCount; ++colour)
        out << (colour == 0 ? "" : ", ") << colourNames[colour] << " " << stage.state.colourCounts[colour];
    out << " (" << settings.totalPanels << " panels, " << settings.columnsPerRow << "x" << settings.rows << ")\n";
    out << "clear target " << settings.clearTarget << " (" << settings.clearPercentage << " % of "
        << settings.totalPanels << "): ";
    bool anyCleared = false;
    for (std::size_t colour = 0; colour < panelColourCount; ++colour) {
        if (!isColourCleared(stage.state, settings, static_cast<std::int32_t>(colour))) continue;
        out << (anyCleared ? ", " : "") << colourNames[colour];
        anyCleared = true;
    }
    out << (anyCleared ? " reaches it\n" : "no colour reaches it\n");
}

}  // namespace

int runShow(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const CommandOutput output{out, err, showUsage};
    CommandArguments arguments;
    if (const auto problem = parseArguments(words, {{"--size", "--percent", "--png"}, {"--help"}}, arguments))
        return output.usageError(*problem);
    if (arguments.has("--help")) {
        writeHelp(out);
        return exitSuccess;
    }
    if (arguments.operands.size() != 1) return output.usageError("show needs exactly one stage FILE");
    const auto pngPath = arguments.value("--png");
    if (pngPath && !picturesSupported) return output.usageError("--png: this build has no PNG support");
    const auto settings = rulesFromOptions(arguments, output);
    if (!settings) return exitUsage;
    const auto& sheet = panelSheet();
    if (!sheet) return output.failure("the built-in panel sheet cannot be read");

    const StageLoad load = loadStageFile(arguments.operands.front(), *settings);
    if (!load.loaded) return output.failure(load.problem);
    writeFieldText(out, load.stage, &out == &std::cout && standardOutputIsTerminal(), panelColours(*sheet));
    writeCounts(out, load.stage);
    if (pngPath) {
        const std::string problem = writePicture(*pngPath, composeFieldPicture(load.stage.field, load.stage.settings, *sheet));
        if (!problem.empty()) return output.failure(problem);
        out << "picture written to " << *pngPath << "\n";
    }
    return exitSuccess;
}

}  // namespace kaleidra::stage_tool
