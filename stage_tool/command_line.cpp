#include "stage_tool/command_line.h"

#include <algorithm>

namespace kaleidra::stage_tool {

namespace {

constexpr std::string_view toolHelp =
    "kaleidra-stage: see, make and solve stage files of the game, read exactly as the game reads them.\n"
    "\n"
    "  kaleidra-stage show FILE [--size COLSxROWS] [--percent P] [--png OUT]\n"
    "  kaleidra-stage make [--size COLSxROWS] (--from PICTURE.png | --random [--seed N]) -o OUT\n"
    "  kaleidra-stage solve FILE [--size COLSxROWS] [--pattern A..G|any] [--percent P]\n"
    "                       [--colour red|yellow|green|lightblue|purple] [--verify]\n"
    "\n"
    "Exit codes: 0 done, 1 a file or picture could not be read or written, 2 arguments not\n"
    "understood, 3 solve found no plan.\n";

bool contains(const std::vector<std::string_view>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::optional<std::string> CommandArguments::value(std::string_view name) const {
    const auto found = values.find(name);
    if (found == values.end()) return std::nullopt;
    return found->second;
}

std::optional<std::string> parseArguments(const std::vector<std::string>& words, const OptionNames& names,
                                          CommandArguments& parsed) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            parsed.operands.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        if (parsed.has(name)) return "option " + name + " given twice";
        if (contains(names.flags, name)) {
            if (equals != std::string::npos) return "option " + name + " takes no value";
            parsed.flags.insert(name);
        } else if (contains(names.withValue, name)) {
            if (equals != std::string::npos) {
                parsed.values[name] = word.substr(equals + 1);
            } else if (i + 1 < words.size()) {
                parsed.values[name] = words[++i];
            } else {
                return "option " + name + " needs a value";
            }
        } else {
            return "unknown option " + name;
        }
    }
    return std::nullopt;
}

int CommandOutput::usageError(const std::string& problem) const {
    err << "kaleidra-stage: " << problem << "\n" << usage << "\n";
    return exitUsage;
}

int CommandOutput::failure(const std::string& problem) const {
    err << "kaleidra-stage: " << problem << "\n";
    return exitFailure;
}

void CommandOutput::note(const std::string& text) const { err << "kaleidra-stage: " << text << "\n"; }

int runStageTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        err << toolUsage << "\n";
        return exitUsage;
    }
    const std::string& command = arguments.front();
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (command == "show") return runShow(rest, out, err);
    if (command == "make") return runMake(rest, out, err);
    if (command == "solve") return runSolve(rest, out, err);
    if (command == "--help" || command == "-h" || command == "help") {
        out << toolHelp;
        return exitSuccess;
    }
    err << "kaleidra-stage: unknown command '" << command << "'\n" << toolUsage << "\n";
    return exitUsage;
}

}  // namespace kaleidra::stage_tool
