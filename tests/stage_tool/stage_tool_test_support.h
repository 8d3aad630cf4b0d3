#pragma once
// Temporary stage files and runs of the tool's command line for the stage tool's tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "stage_tool/command_line.h"
#include "stage_tool/utf8_path.h"

namespace kaleidra::stage_tool {

// UTF-8 text from a u8 literal, whose bytes no compiler's execution character set changes.
inline std::string utf8(std::u8string_view text) { return {reinterpret_cast<const char*>(text.data()), text.size()}; }

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

    // Names and paths are UTF-8, as the tool takes them on every platform.
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(nativePath(name), std::ios::binary) << bytes;
        return path(name);
    }
    static std::string read(const std::string& path) {
        std::ifstream file(pathFromUtf8(path).value(), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    std::string path(const std::string& name) const {
        const std::u8string text = nativePath(name).u8string();
        return {reinterpret_cast<const char*>(text.data()), text.size()};
    }
    std::filesystem::path nativePath(const std::string& name) const { return folder / pathFromUtf8(name).value(); }

    std::filesystem::path folder;
};

}  // namespace kaleidra::stage_tool
