// The entry of kaleidra-stage: its arguments as UTF-8 text, whatever form the system hands them in.
#include <iostream>
#include <string>
#include <vector>

#include "stage_tool/command_line.h"

#ifdef _WIN32
#include <string_view>

#include "core/unicode_text.h"
#include "stage_tool/console_output.h"

// Windows hands the arguments over in UTF-16: the narrow ones pass through the ANSI code page, which
// cannot spell every file name and turns some into look-alikes of other files.
int wmain(int argc, wchar_t** argv) {
    using namespace kaleidra::stage_tool;
    const StandardStreamsInUtf8 streams;
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view wide(argv[i]);
        const auto text = kaleidra::utf8FromUtf16(
            std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
        // Mended with a replacement character, it would name another file than the one given.
        if (!text)
            return CommandOutput{std::cout, std::cerr, toolUsage}.usageError(
                "argument " + std::to_string(i) + " is not valid Unicode text");
        arguments.push_back(*text);
    }
    return runStageTool(arguments, std::cout, std::cerr);
}

#else

int main(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    return kaleidra::stage_tool::runStageTool(arguments, std::cout, std::cerr);
}

#endif
