#include <iostream>
#include <string>
#include <vector>

#include "stage_tool/command_line.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    return kaleidra::stage_tool::runStageTool(arguments, std::cout, std::cerr);
}
