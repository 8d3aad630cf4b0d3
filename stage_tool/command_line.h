#pragma once
// The command line of kaleidra-stage: the three commands, their options and exit codes.

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kaleidra::stage_tool {

inline constexpr int exitSuccess = 0;
inline constexpr int exitFailure = 1;  // a file or picture that cannot be read or written
inline constexpr int exitUsage = 2;    // arguments not understood
inline constexpr int exitNoPlan = 3;   // solve found no plan (impossible, or search gave up)

inline constexpr std::string_view toolUsage =
    "usage: kaleidra-stage show|make|solve ... (kaleidra-stage COMMAND --help for each)";

int runStageTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

struct CommandArguments {
    std::vector<std::string> operands;
    std::map<std::string, std::string, std::less<>> values;
    std::set<std::string, std::less<>> flags;

    std::optional<std::string> value(std::string_view name) const;
    bool has(std::string_view name) const { return flags.count(name) != 0 || values.count(name) != 0; }
};

struct OptionNames {
    std::vector<std::string_view> withValue;  // "--size 9x16" or "--size=9x16"
    std::vector<std::string_view> flags;
};

// Sorts the words into operands, options and flags; on failure says why.
std::optional<std::string> parseArguments(const std::vector<std::string>& words, const OptionNames& names,
                                          CommandArguments& parsed);

// What every command does with an error: a message, and the usage line for arguments.
struct CommandOutput {
    std::ostream& out;
    std::ostream& err;
    std::string_view usage;

    int usageError(const std::string& problem) const;
    int failure(const std::string& problem) const;
    void note(const std::string& text) const;
};

int runShow(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int runMake(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int runSolve(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

}  // namespace kaleidra::stage_tool
