// The real kaleidra-stage.exe, started with a UTF-16 command line as a Windows shell starts it, its
// output read from pipes as a script reads it.
#include <windows.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "core/unicode_text.h"
#include "tests/stage_tool/stage_tool_test_support.h"
#include "tests/stage_tool/unicode_name_runs.h"

namespace kaleidra::stage_tool {
namespace {

class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    ~OwnedHandle() { reset(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    HANDLE get() const { return handle_; }
    HANDLE* put() {
        reset();
        return &handle_;
    }
    void reset() {
        if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_ = nullptr;
};

std::wstring wide(const std::string& utf8) {
    const auto units = utf16FromUtf8(utf8);
    return units ? std::wstring(units->begin(), units->end()) : std::wstring();
}

// The Windows path of a Unix path, through Wine's Z: drive.
std::wstring windowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return wide(path);
    std::wstring result = L"Z:" + wide(path);
    for (wchar_t& c : result)
        if (c == L'/') c = L'\\';
    return result;
}

// Quoted so that the C runtime's parser gives the argument back as it was.
void appendQuoted(std::wstring& line, const std::wstring& argument) {
    line += L" \"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote is escaped.
        line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(2 * backslashes, L'\\');
    line += L'"';
}

std::string drain(HANDLE pipe) {
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(pipe, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
    return bytes;
}

constexpr int notStarted = -1000;

// Runs the executable in `folder` with arguments given as UTF-16 (each UTF-8 one converted, or
// given in UTF-16 already).
ToolRun runExecutable(const std::filesystem::path& folder, const std::vector<std::wstring>& arguments) {
    std::wstring line = L"\"" + windowsPath(KALEIDRA_STAGE_EXE) + L"\"";
    for (const std::wstring& argument : arguments) appendQuoted(line, argument);
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    OwnedHandle outRead, outWrite, errRead, errWrite;
    if (!CreatePipe(outRead.put(), outWrite.put(), &inheritable, 0) ||
        !CreatePipe(errRead.put(), errWrite.put(), &inheritable, 0))
        return {notStarted, "", "CreatePipe failed"};
    SetHandleInformation(outRead.get(), HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outWrite.get();
    startup.hStdError = errWrite.get();
    PROCESS_INFORMATION started{};
    const std::wstring directory = folder.wstring();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        directory.c_str(), &startup, &started))
        return {notStarted, "", "CreateProcessW failed: " + std::to_string(GetLastError())};
    const OwnedHandle process(started.hProcess);
    const OwnedHandle thread(started.hThread);
    // Only the child holds the write ends now, so the reads end when it does.
    outWrite.reset();
    errWrite.reset();
    std::string err;
    std::thread errReader([&] { err = drain(errRead.get()); });
    std::string out = drain(outRead.get());
    errReader.join();
    DWORD exitCode = 0;
    if (WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.get(), &exitCode))
        return {notStarted, out, err + "the process did not end"};
    return {static_cast<int>(exitCode), out, err};
}

std::vector<std::wstring> wideArguments(const std::vector<std::string>& arguments) {
    std::vector<std::wstring> result;
    for (const std::string& argument : arguments) result.push_back(wide(argument));
    return result;
}

class StageToolProcess : public ScratchFolder {
protected:
    void SetUp() override {
        ScratchFolder::SetUp();
        for (const NamedFile& file : namedRunFiles()) write(file.name, file.content);
    }
};

TEST_F(StageToolProcess, PrintsWhatTheNativeBuildPrints) {
    for (const NamedRun& expected : namedRuns()) {
        SCOPED_TRACE(expected.arguments.front() + " " + expected.arguments[1]);
        const ToolRun run = runExecutable(folder, wideArguments(expected.arguments));
        EXPECT_EQ(run.exitCode, expected.exitCode);
        EXPECT_EQ(run.out, expected.out);
        EXPECT_EQ(run.err, expected.err);
    }
    for (const NamedFile& file : namedRunFiles()) EXPECT_EQ(read(path(file.name)), file.content);
}

// What solve prints depends on the solvers, so the executable is held to the same call in-process.
TEST_F(StageToolProcess, SolvesTheFileItNamesAsTheToolDoesInProcess) {
    const std::string stage = path(utf8(u8"解_é🎨.txt"));
    ASSERT_EQ(runTool({"make", "--random", "--seed", "3", "--size", "5x4", "-o", stage}).exitCode, exitSuccess);
    const std::vector<std::string> arguments{"solve", utf8(u8"解_é🎨.txt"), "--size", "5x4", "--percent", "100",
                                             "--pattern", "any", "--verify"};
    std::vector<std::string> inProcess = arguments;
    inProcess[1] = stage;
    const ToolRun expected = runTool(inProcess);
    ASSERT_EQ(expected.exitCode, exitSuccess) << expected.err;
    const ToolRun run = runExecutable(folder, wideArguments(arguments));
    EXPECT_EQ(run.exitCode, expected.exitCode);
    EXPECT_EQ(run.out, expected.out);
    EXPECT_EQ(run.err, expected.err);
}

TEST_F(StageToolProcess, RefusesAnArgumentThatIsNotUnicodeText) {
    write("stage.txt", "0123");
    // A lone surrogate: no file has that name, and mended it would name another.
    const ToolRun run = runExecutable(folder, {L"show", std::wstring(L"stage") + wchar_t(0xD800) + L".txt"});
    EXPECT_EQ(run.exitCode, exitUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "kaleidra-stage: argument 2 is not valid Unicode text\n" + std::string(toolUsage) + "\n");
}

}  // namespace
}  // namespace kaleidra::stage_tool
