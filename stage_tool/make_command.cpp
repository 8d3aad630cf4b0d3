// kaleidra-stage make: a stage file that fills one field shape exactly, from a picture or at random.
#include <limits>
#include <string>

#include "core/stage.h"
#include "stage_tool/command_line.h"
#include "stage_tool/field_picture.h"
#include "stage_tool/field_rules.h"
#include "stage_tool/file_replacement.h"
#include "stage_tool/picture_file.h"
#include "stage_tool/rule_options.h"
#include "stage_tool/stage_making.h"

namespace kaleidra::stage_tool {

namespace {

constexpr std::string_view makeUsage =
    "usage: kaleidra-stage make [--size COLSxROWS] (--from PICTURE.png | --random [--seed N]) -o OUT";

void writeHelp(std::ostream& out) {
    out << makeUsage << "\n\n"
        << "Writes a stage file of exactly one digit 0..4 per panel of the field, no line breaks, so\n"
        << "that it fills that shape without repeating.\n\n"
        << sizeHelp
        << "  --from PICTURE    a PNG picture stretched over the field; each panel takes the panel\n"
        << "                    colour nearest (in CIELAB) to the picture at the panel's centre"
        << (picturesSupported ? "\n" : "\n                    (not in this build: it has no PNG support)\n")
        << "  --random          colours from the game's own random generator\n"
        << "  --seed N          its seed, 0..4294967295 (default: the current second, as the game does)\n"
        << "  -o OUT            the stage file to write\n";
}

}  // namespace

int runMake(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const CommandOutput output{out, err, makeUsage};
    CommandArguments arguments;
    if (const auto problem = parseArguments(words, {{"--size", "--from", "--seed", "-o"}, {"--random", "--help"}},
                                            arguments))
        return output.usageError(*problem);
    if (arguments.has("--help")) {
        writeHelp(out);
        return exitSuccess;
    }
    if (!arguments.operands.empty()) return output.usageError("unexpected '" + arguments.operands.front() + "'");
    const auto outPath = arguments.value("-o");
    if (!outPath || outPath->empty()) return output.usageError("make needs -o OUT");
    const auto from = arguments.value("--from");
    if (from.has_value() == arguments.has("--random"))
        return output.usageError("make needs exactly one of --from PICTURE and --random");
    if (arguments.has("--seed") && !arguments.has("--random")) return output.usageError("--seed goes with --random");
    if (from && !picturesSupported) return output.usageError("--from: this build has no PNG support");
    const auto settings = rulesFromOptions(arguments, output);
    if (!settings) return exitUsage;

    std::string digits;
    if (from) {
        const auto& sheet = panelSheet();
        if (!sheet) return output.failure("the built-in panel sheet cannot be read");
        const PictureRead picture = readPicture(*from);
        if (!picture.read) return output.failure(picture.problem);
        digits = pictureStageDigits(picture.image, *settings, panelColours(*sheet));
    } else {
        auto seed = static_cast<std::uint32_t>(calendarSeconds());
        if (const auto text = arguments.value("--seed")) {
            const auto parsed = parseWholeNumber(*text, 0, std::numeric_limits<std::uint32_t>::max());
            if (!parsed) return output.usageError("seed '" + *text + "' is not a whole number 0..4294967295");
            seed = static_cast<std::uint32_t>(*parsed);
        }
        digits = randomStageDigits(*settings, seed);
    }

    if (const std::string problem = replaceFileContent(*outPath, digits); !problem.empty())
        return output.failure(problem);
    out << "wrote " << *outPath << ": " << digits.size() << " panels for a " << settings->columnsPerRow << "x"
        << settings->rows << " field\n";
    return exitSuccess;
}

}  // namespace kaleidra::stage_tool
