// kaleidra-stage solve: a click plan that clears the stage, optionally replayed through the game.
#include <algorithm>
#include <cctype>
#include <string>

#include "stage_tool/command_line.h"
#include "stage_tool/loaded_stage.h"
#include "stage_tool/partial_solver.h"
#include "stage_tool/plan_replay.h"
#include "stage_tool/rule_options.h"
#include "stage_tool/terminal_field.h"
#include "stage_tool/whole_field_solver.h"

namespace kaleidra::stage_tool {

namespace {

constexpr std::string_view solveUsage =
    "usage: kaleidra-stage solve FILE [--size COLSxROWS] [--pattern A..G|any] [--percent P] "
    "[--colour red|yellow|green|lightblue|purple] [--verify]";

void writeHelp(std::ostream& out) {
    out << solveUsage << "\n\n"
        << "Prints clicks that clear the stage: lattice positions (column, row) of the cursor cell,\n"
        << "how often to click each (1..4), the pattern, and the total. Clicks may be made in any order.\n"
        << "For 100 % every panel ends in one colour: the clicks solve linear equations modulo 5 by\n"
        << "Gaussian elimination; a singular system is reported with the dimension of its solutions.\n"
        << "Below 100 % a plan brings at least the clear target of panels to one colour. Each plan is\n"
        << "marked \"proven shortest\" or \"best found\". \"Impossible\" is printed only with a proof.\n\n"
        << sizeHelp << percentHelp
        << "  --pattern X       Type A..G, or any (default A, the pattern of a new game)\n"
        << "  --colour C        gather this colour only (default: any colour)\n"
        << "  --verify          replay the plan through the game's own operation and print the counts\n";
}

std::optional<std::vector<PatternType>> parsePatterns(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    if (text == "any") return std::vector<PatternType>{TypeA, TypeB, TypeC, TypeD, TypeE, TypeF, TypeG};
    if (text.size() == 1 && text[0] >= 'a' && text[0] <= 'g')
        return std::vector<PatternType>{static_cast<PatternType>(text[0] - 'a')};
    return std::nullopt;
}

std::optional<std::int32_t> parseColour(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == ' ' || c == '-'; }), text.end());
    for (std::int32_t colour = 0; colour < panelColourCount; ++colour) {
        std::string name = colourNames[static_cast<std::size_t>(colour)];
        name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
        if (text == name) return colour;
    }
    return std::nullopt;
}

char patternLetter(PatternType pattern) { return static_cast<char>('A' + pattern); }

void writeSystems(std::ostream& out, const SolveOutcome& outcome) {
    for (const SystemSummary& system : outcome.systems) {
        out << "Type " << patternLetter(system.pattern) << ": " << system.equations << " equations (panels), "
            << system.unknowns << " unknowns (cursor cells that click differently), rank " << system.rank;
        if (system.nullity() == 0) {
            out << ", one solution per colour";
        } else {
            out << ", singular: the solutions of a colour form a space of dimension " << system.nullity() << " (5^"
                << system.nullity() << " solutions)";
        }
        out << "; solvable for ";
        bool any = false;
        for (std::size_t colour = 0; colour < panelColourCount; ++colour) {
            if (!system.consistent[colour]) continue;
            out << (any ? ", " : "") << colourNames[colour];
            any = true;
        }
        out << (any ? "\n" : "no colour\n");
    }
}

void writePlan(std::ostream& out, const SolveOutcome& outcome) {
    const ClickPlan& plan = outcome.plan;
    out << "pattern: Type " << patternLetter(plan.pattern) << "\n";
    out << "colour: " << colourNames[static_cast<std::size_t>(plan.colour)] << "\n";
    out << "clicks (column, row) x times:\n";
    for (const Click& click : plan.clicks)
        out << "  (" << click.cursor.col << ", " << click.cursor.row << ") x" << click.times << "\n";
    out << "total: " << plan.totalClicks() << " clicks, "
        << (outcome.proven ? "proven shortest" : "best found (not proven shortest)") << "\n";
}

}  // namespace

int runSolve(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const CommandOutput output{out, err, solveUsage};
    CommandArguments arguments;
    if (const auto problem = parseArguments(
            words, {{"--size", "--percent", "--pattern", "--colour", "--color"}, {"--verify", "--help"}}, arguments))
        return output.usageError(*problem);
    if (arguments.has("--help")) {
        writeHelp(out);
        return exitSuccess;
    }
    if (arguments.operands.size() != 1) return output.usageError("solve needs exactly one stage FILE");
    SolveChoices choices{{TypeA}, {Red, Yellow, Green, LightBlue, Purple}};
    if (const auto text = arguments.value("--pattern")) {
        const auto patterns = parsePatterns(*text);
        if (!patterns) return output.usageError("unknown pattern '" + *text + "' (A..G or any)");
        choices.patterns = *patterns;
    }
    if (arguments.has("--colour") && arguments.has("--color")) return output.usageError("give the colour once");
    if (const auto text = arguments.has("--colour") ? arguments.value("--colour") : arguments.value("--color")) {
        const auto colour = parseColour(*text);
        if (!colour) return output.usageError("unknown colour '" + *text + "'");
        choices.colours = {*colour};
    }
    const auto settings = rulesFromOptions(arguments, output);
    if (!settings) return exitUsage;
    const StageLoad load = loadStageFile(arguments.operands.front(), *settings);
    if (!load.loaded) return output.failure(load.problem);
    const LoadedStage& stage = load.stage;

    PatternTable table{};
    initPatternTable(table);
    const bool wholeField = stage.settings.clearTarget >= stage.settings.totalPanels;
    out << "goal: " << (wholeField ? "all " : "at least ") << stage.settings.clearTarget << " of "
        << stage.settings.totalPanels << " panels in one colour (" << stage.settings.clearPercentage << " %)\n";
    const SolveOutcome outcome =
        wholeField ? solveWholeField(stage, table, choices) : solveForTarget(stage, table, choices);
    writeSystems(out, outcome);
    if (outcome.impossible) {
        out << "Impossible: for every pattern and colour allowed the equations are inconsistent (elimination "
               "leaves 0 = nonzero), so no clicks make every panel one colour\n";
        return exitNoPlan;
    }
    if (!outcome.planFound) {
        out << "no plan found (the search gave up; this is no proof that none exists)\n";
        return exitNoPlan;
    }
    writePlan(out, outcome);
    if (arguments.has("--verify")) {
        const ReplayResult replay = replayPlan(stage, table, outcome.plan);
        out << "verified by replay: ";
        for (std::size_t colour = 0; colour < panelColourCount; ++colour)
            out << (colour == 0 ? "" : ", ") << colourNames[colour] << " " << replay.colourCounts[colour];
        const bool reached =
            replay.completed && replay.colourCounts[static_cast<std::size_t>(outcome.plan.colour)] >= stage.settings.clearTarget;
        out << (reached ? " (target reached)\n" : " (TARGET NOT REACHED)\n");
        if (!reached) return output.failure("the plan did not verify");
    }
    return exitSuccess;
}

}  // namespace kaleidra::stage_tool
