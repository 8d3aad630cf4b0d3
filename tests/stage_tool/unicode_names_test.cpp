#include <filesystem>
#include <string>

#include "stage_tool/picture_file.h"
#include "tests/stage_tool/stage_tool_test_support.h"
#include "tests/stage_tool/unicode_name_runs.h"

namespace kaleidra::stage_tool {
namespace {

namespace fs = std::filesystem;

class UnicodeNames : public ScratchFolder {
protected:
    void SetUp() override {
        ScratchFolder::SetUp();
        for (const NamedFile& file : namedRunFiles()) write(file.name, file.content);
        previous_ = fs::current_path();
        fs::current_path(folder);
    }
    void TearDown() override {
        fs::current_path(previous_);
        ScratchFolder::TearDown();
    }

private:
    fs::path previous_;
};

#if KALEIDRA_STAGE_PNG

TEST_F(UnicodeNames, EveryRunPrintsWhatBothBuildsPrint) {
    for (const NamedRun& expected : namedRuns()) {
        SCOPED_TRACE(expected.arguments.front() + " " + expected.arguments[1]);
        const ToolRun run = runTool(expected.arguments);
        EXPECT_EQ(run.exitCode, expected.exitCode);
        EXPECT_EQ(run.out, expected.out);
        EXPECT_EQ(run.err, expected.err);
    }
    for (const NamedFile& file : namedRunFiles()) EXPECT_EQ(read(path(file.name)), file.content);
}

#endif

// Every command on every name, each beside a look-alike: the file made is the one read back.
TEST_F(UnicodeNames, ReachTheFileTheyName) {
    for (const std::string& name :
         {utf8(u8"面_9x16.txt"), utf8(u8"café_é.txt"), utf8(u8"🎨.txt"), utf8(u8"Ωμέγα ☃ 한글.txt")}) {
        SCOPED_TRACE(name);
        const ToolRun made = runTool({"make", "--random", "--seed", "99", "--size", "3x4", "-o", name});
        ASSERT_EQ(made.exitCode, exitSuccess) << made.err;
        EXPECT_EQ(made.out, "wrote " + name + ": 12 panels for a 3x4 field\n");
        const std::string digits = read(path(name));
        ASSERT_EQ(digits.size(), 12u);
        const ToolRun shown = runTool({"show", name, "--size", "3x4"});
        ASSERT_EQ(shown.exitCode, exitSuccess) << shown.err;
        std::string letters;
        for (const char c : shown.out.substr(0, shown.out.find("red "))) {
            if (c != ' ' && c != '\n') letters += c;
        }
        std::string expected;
        for (const char digit : digits) expected += "RYGBP"[digit - '0'];
        EXPECT_EQ(letters, expected);
        const ToolRun solved = runTool({"solve", name, "--size", "3x4", "--percent", "100", "--verify"});
        EXPECT_EQ(solved.exitCode, exitSuccess) << solved.err;
        EXPECT_NE(solved.out.find("(target reached)"), std::string::npos) << solved.out;
    }
    for (const NamedFile& file : namedRunFiles()) EXPECT_EQ(read(path(file.name)), file.content);
}

}  // namespace
}  // namespace kaleidra::stage_tool
