#pragma once
// Temporary stage files and runs of the tool's command line for the stage tool's tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "stage_tool/command_line.h"

namespace kaleidra::stage_tool {

struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

inline ToolRun runTool(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = runStageTool(arguments, out, err);
    return {code, out.str(), err.str()};
}

// A folder of its own for each test, removed afterwards.
class ScratchFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 (std::string("kaleidra-stage-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path path = folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    std::string path(const std::string& name) const { return (folder / name).string(); }

    std::filesystem::path folder;
};

}  // namespace kaleidra::stage_tool
