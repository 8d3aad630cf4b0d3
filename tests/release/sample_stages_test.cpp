// The sample stages shipped in the release: each is made for the field size in its name, fills it
// exactly once, and the readme lists it with that size.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "core/byte_source.h"
#include "core/stage.h"
#include "stage_tool/command_line.h"

namespace kaleidra {
namespace {

const std::filesystem::path sourceDir{KALEIDRA_SOURCE_DIR};

struct Sample {
    std::string name;
    int columns = 0;
    int rows = 0;
};

// Every stage file in the folder the release ships; the size is the name's last part, COLSxROWS.
std::vector<Sample> samples() {
    static const std::regex named(R"(.+_([0-9]+)x([0-9]+)\.txt)");
    std::vector<Sample> found;
    for (const auto& entry : std::filesystem::directory_iterator(sourceDir / "stages")) {
        const std::string name = entry.path().filename().string();
        std::smatch size;
        if (std::regex_match(name, size, named)) {
            found.push_back({name, std::stoi(size[1]), std::stoi(size[2])});
        } else {
            ADD_FAILURE() << name << " names no field size (NAME_COLSxROWS.txt)";
        }
    }
    std::sort(found.begin(), found.end(), [](const Sample& a, const Sample& b) { return a.name < b.name; });
    return found;
}

std::string readme() {
    std::ifstream file(sourceDir / "release" / "readme.txt.in", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(SampleStages, EachFillsItsNamedFieldSizeExactlyOnce) {
    const std::vector<Sample> all = samples();
    ASSERT_GE(all.size(), 4u);
    for (const Sample& sample : all) {
        SCOPED_TRACE(sample.name);
        EXPECT_TRUE(sample.columns >= 3 && sample.columns <= 9) << "panels per row the rules offer";
        EXPECT_TRUE(sample.rows >= 4 && sample.rows <= 16 && sample.rows % 2 == 0) << "rows the rules offer";
        const std::string path = (sourceDir / "stages" / sample.name).string();
        FileByteSource file(path.c_str());
        // Read past the field's end: content beyond it would be ignored, content short of it repeated.
        const auto content = readStageContent(file, 1000);
        EXPECT_EQ(content.size(), static_cast<std::size_t>(sample.columns * sample.rows));
        // Digits only, so that the file reads the same in any editor and any line-end convention.
        EXPECT_TRUE(std::all_of(content.begin(), content.end(), [](std::uint8_t b) { return b >= '0' && b <= '9'; }));
    }
}

TEST(SampleStages, TheReadmeListsEachWithItsSize) {
    const std::string text = readme();
    for (const Sample& sample : samples()) {
        SCOPED_TRACE(sample.name);
        const std::size_t at = text.find(sample.name);
        ASSERT_NE(at, std::string::npos);
        const std::string line = text.substr(at, text.find('\n', at) - at);
        const std::string size = "横" + std::to_string(sample.columns) + " × 縦" + std::to_string(sample.rows) +
                                 "（" + std::to_string(sample.columns * sample.rows) + "マス）";
        EXPECT_NE(line.find(size), std::string::npos) << line;
    }
}

// The readme promises three clicks of Type A at 100 %, and a field not yet cleared at the start.
TEST(SampleStages, FewClicksIsClearedInThreeClicksAtAHundredPercent) {
    const std::string path = (sourceDir / "stages" / "few_clicks_5x8.txt").string();
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(stage_tool::runStageTool({"solve", path, "--size", "5x8", "--percent", "100", "--verify"}, out, err), 0)
        << err.str();
    EXPECT_NE(out.str().find("total: 3 clicks"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("green 40"), std::string::npos) << out.str();

    std::ostringstream shown;
    ASSERT_EQ(stage_tool::runStageTool({"show", path, "--size", "5x8"}, shown, err), 0) << err.str();
    EXPECT_NE(shown.str().find("no colour reaches it"), std::string::npos) << shown.str();
}

}  // namespace
}  // namespace kaleidra
