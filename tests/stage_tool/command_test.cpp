#include <fstream>
#include <iterator>
#include <string>

#include "stage_tool/command_line.h"
#include "tests/stage_tool/png_test_file.h"
#include "tests/stage_tool/stage_tool_test_support.h"

namespace kaleidra::stage_tool {
namespace {

class Commands : public ScratchFolder {};

TEST_F(Commands, RefuseArgumentsTheyDoNotUnderstandWithTheUsageLine) {
    const std::string stage = write("stage.txt", "01234");
    const struct {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{}, "usage:"},
        {{"draw", stage}, "unknown command"},
        {{"show"}, "exactly one stage FILE"},
        {{"show", stage, stage}, "exactly one stage FILE"},
        {{"show", stage, "--size", "10x16"}, "size '10x16'"},
        {{"show", stage, "--size", "9x15"}, "size '9x15'"},
        {{"show", stage, "--size", "2x4"}, "size '2x4'"},
        {{"show", stage, "--size", "9x18"}, "size '9x18'"},
        {{"show", stage, "--size", "9x"}, "size '9x'"},
        {{"show", stage, "--size", "x16"}, "size 'x16'"},
        {{"show", stage, "--size", "9x16x2"}, "size '9x16x2'"},
        {{"show", stage, "--size", " 9x16"}, "size ' 9x16'"},
        {{"show", stage, "--percent", "seventy"}, "not a whole number"},
        {{"show", stage, "--percent", "70%"}, "not a whole number"},
        {{"show", stage, "--percent", "99999999999999999999999"}, "not a whole number"},
        {{"show", stage, "--percent"}, "needs a value"},
        {{"show", stage, "--size", "9x16", "--size=3x4"}, "given twice"},
        {{"show", stage, "--frobnicate"}, "unknown option --frobnicate"},
        {{"show", stage, "--help=yes"}, "takes no value"},
        {{"solve", stage, "--pattern", "H"}, "unknown pattern 'H'"},
        {{"solve", stage, "--pattern", "AB"}, "unknown pattern 'AB'"},
        {{"solve", stage, "--pattern", ""}, "unknown pattern ''"},
        {{"solve", stage, "--colour", "orange"}, "unknown colour 'orange'"},
        {{"solve", stage, "--colour", "red", "--color", "red"}, "give the colour once"},
        {{"make", "--random"}, "needs -o OUT"},
        {{"make", "--random", "-o", ""}, "needs -o OUT"},
        {{"make", "-o", path("out.txt")}, "exactly one of --from"},
        {{"make", "--random", "--from", "x.png", "-o", path("out.txt")}, "exactly one of --from"},
        {{"make", "--from", "x.png", "--seed", "3", "-o", path("out.txt")}, "--seed goes with --random"},
        {{"make", "--random", "--seed", "-1", "-o", path("out.txt")}, "seed '-1'"},
        {{"make", "--random", "--seed", "4294967296", "-o", path("out.txt")}, "seed '4294967296'"},
        {{"make", "--random", "--percent", "50", "-o", path("out.txt")}, "unknown option --percent"},
        {{"make", "--random", "stray", "-o", path("out.txt")}, "unexpected 'stray'"},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const auto& word : c.arguments) shown += "[" + word + "] ";
        const ToolRun run = runTool(c.arguments);
        EXPECT_EQ(run.exitCode, exitUsage) << shown;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << shown << "\n" << run.err;
        EXPECT_NE(run.err.find("usage:"), std::string::npos) << shown;
        EXPECT_EQ(run.out, "") << shown;
    }
}

TEST_F(Commands, ReportFilesTheyCannotReadOrWrite) {
    std::filesystem::create_directory(folder / "folder");
    const std::string stage = write("stage.txt", "01234");
    const struct {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{"show", path("missing.txt")}, "no such file"},
        {{"solve", path("folder")}, "not a regular file"},
        {{"show", write("empty.txt", "")}, "gives no stage"},
        {{"solve", write("mark.txt", "\x1A" "01")}, "gives no stage"},
        {{"make", "--random", "-o", path("folder")}, "cannot write"},
        {{"make", "--random", "-o", path("no/such/folder/out.txt")}, "cannot write"},
#if KALEIDRA_STAGE_PNG
        {{"make", "--from", path("missing.png"), "-o", path("out.txt")}, "cannot read picture"},
        {{"make", "--from", stage, "-o", path("out.txt")}, "cannot read picture"},
        {{"make", "--from", write("cut.png", "\x89PNG\r\n\x1a\n"), "-o", path("out.txt")}, "cannot read picture"},
        // Headers that ask for more pixels than any field needs, with next to no image data.
        {{"make", "--from", write("wide.png", pngFileOf(PngParts{70000, 1000, 8, PngColourType::grey, false, "", "", ""})),
          "-o", path("out.txt")},
         "cannot read picture"},
        {{"make", "--from",
          write("vast.png", pngFileOf(PngParts{0x7FFFFFFF, 0x7FFFFFFF, 16, PngColourType::rgbAlpha, false, "", "", ""})),
          "-o", path("out.txt")},
         "cannot read picture"},
        {{"show", stage, "--png", path("folder")}, "cannot write picture"},
#endif
    };
    for (const auto& c : cases) {
        const ToolRun run = runTool(c.arguments);
        EXPECT_EQ(run.exitCode, exitFailure) << c.arguments.front() << " " << c.arguments.back();
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("usage:"), std::string::npos) << run.err;
    }
}

TEST_F(Commands, EachCommandExplainsItself) {
    for (const char* command : {"show", "make", "solve"}) {
        const ToolRun run = runTool({command, "--help"});
        EXPECT_EQ(run.exitCode, exitSuccess) << command;
        EXPECT_EQ(run.out.find(std::string("usage: kaleidra-stage ") + command), 0u) << run.out;
    }
    EXPECT_EQ(runTool({"--help"}).exitCode, exitSuccess);
}

TEST_F(Commands, ShowPrintsTheLatticeWithCountsAndTarget) {
    const ToolRun run = runTool({"show", write("stage.txt", "01234\r\n"), "--size", "3x4", "--percent", "30"});
    ASSERT_EQ(run.exitCode, exitSuccess) << run.err;
    // The worked example of the stage format: the line break is one red panel.
    EXPECT_EQ(run.out,
              "R Y G\n"
              " B P R\n"
              "R Y G\n"
              " B P R\n"
              "red 4, yellow 2, green 2, light blue 2, purple 2 (12 panels, 3x4)\n"
              "clear target 3 (30 % of 12): red reaches it\n");
}

TEST_F(Commands, ShowSaysWhenThePercentageIsClamped) {
    const ToolRun run = runTool({"show", write("stage.txt", "0"), "--size", "3x4", "--percent", "120"});
    ASSERT_EQ(run.exitCode, exitSuccess);
    EXPECT_NE(run.err.find("clamped to 100"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("clear target 12 (100 % of 12): red reaches it"), std::string::npos) << run.out;
}

TEST_F(Commands, MakeWritesOneDigitPerPanelThatShowReadsBack) {
    for (const std::string size : {"9x16", "3x4", "7x10"}) {
        const std::string stage = path("made-" + size + ".txt");
        const ToolRun made = runTool({"make", "--random", "--seed", "42", "--size", size, "-o", stage});
        ASSERT_EQ(made.exitCode, exitSuccess) << made.err;
        const std::string digits = read(stage);
        const auto cross = size.find('x');
        EXPECT_EQ(digits.size(), std::stoul(size.substr(0, cross)) * std::stoul(size.substr(cross + 1)));
        EXPECT_EQ(digits.find_first_not_of("01234"), std::string::npos) << digits;

        // The letters show prints, in order, are the digits written: no panel repeats or shifts.
        const ToolRun shown = runTool({"show", stage, "--size", size});
        ASSERT_EQ(shown.exitCode, exitSuccess) << shown.err;
        std::string letters;
        for (const char c : shown.out.substr(0, shown.out.find("red "))) {
            if (c != ' ' && c != '\n') letters += c;
        }
        std::string expected;
        for (const char digit : digits) expected += "RYGBP"[digit - '0'];
        EXPECT_EQ(letters, expected) << size;
    }
    EXPECT_EQ(read(path("made-9x16.txt")), (runTool({"make", "--random", "--seed", "42", "-o", path("again.txt")}),
                                            read(path("again.txt"))));
}

TEST_F(Commands, SolvePrintsAPlanThatVerifies) {
    const std::string stage = write("stage.txt", "0123401234");
    const ToolRun run = runTool({"solve", stage, "--size", "3x4", "--percent", "100", "--pattern", "any", "--verify"});
    ASSERT_EQ(run.exitCode, exitSuccess) << run.err << run.out;
    EXPECT_NE(run.out.find("(target reached)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Type G: 12 equations"), std::string::npos) << run.out;
}

TEST_F(Commands, SolvePrintsAPlanBelowTheWholeFieldWhereTheSearchAloneGaveUp) {
    // A default stage on which the search alone found nothing at 85 % though 100 % had a plan.
    const std::string stage = path("seed1.txt");
    ASSERT_EQ(runTool({"make", "--random", "--seed", "1", "-o", stage}).exitCode, exitSuccess);
    for (const char* pattern : {"A", "any"}) {
        const ToolRun run = runTool({"solve", stage, "--percent", "85", "--pattern", pattern, "--verify"});
        EXPECT_EQ(run.exitCode, exitSuccess) << pattern << "\n" << run.out << run.err;
        EXPECT_NE(run.out.find("(target reached)"), std::string::npos) << run.out;
    }
}

TEST_F(Commands, SolveCallsNoClicksOnASolvedFieldProvenShortest) {
    const std::string stage = write("solved.txt", "3");
    for (const char* percent : {"100", "70"}) {
        const ToolRun run = runTool({"solve", stage, "--size", "9x4", "--percent", percent, "--pattern", "any"});
        EXPECT_EQ(run.exitCode, exitSuccess) << run.err;
        EXPECT_NE(run.out.find("total: 0 clicks, proven shortest"), std::string::npos) << percent << "\n" << run.out;
    }
}

}  // namespace
}  // namespace kaleidra::stage_tool
