// The Windows build's standard streams: UTF-8 bytes unchanged into files and pipes, UTF-16 into a
// console whatever its code page, and characters cut across flushes kept whole.
#include <windows.h>

#include <ostream>
#include <string>

#include "stage_tool/console_output.h"
#include "tests/stage_tool/stage_tool_test_support.h"

namespace kaleidra::stage_tool {
namespace {

class ConsoleOutput : public ScratchFolder {};

TEST_F(ConsoleOutput, PassesTheBytesUnchangedToAFile) {
    // Longer than the buffer, so that its flushes cut characters; line ends stay single LFs.
    std::string text;
    for (int i = 0; i < 1500; ++i) text += utf8(u8"é面🎨\n");
    const std::wstring name = nativePath("out.txt").wstring();
    {
        const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        {
            ConsoleTextBuffer buffer(file);
            std::ostream out(&buffer);
            out << text.substr(0, 7) << std::flush << text.substr(7);
        }
        CloseHandle(file);
    }
    EXPECT_EQ(read(path("out.txt")), text);
}

// A console of this process's own while it lives: one it had already is left first (its standard
// handles, pipes under CTest, stay as they were) and taken up again at the end.
class OwnConsole {
public:
    OwnConsole() : hadOne_(FreeConsole() != 0), made_(AllocConsole() != 0) {}
    ~OwnConsole() {
        if (made_) FreeConsole();
        if (hadOne_) AttachConsole(ATTACH_PARENT_PROCESS);
    }
    OwnConsole(const OwnConsole&) = delete;
    OwnConsole& operator=(const OwnConsole&) = delete;

private:
    bool hadOne_;
    bool made_;
};

TEST(ConsoleText, ShowsEveryCharacterWhateverTheConsolesCodePage) {
    const OwnConsole console;
    // A screen buffer of its own, so that nothing the console shows is touched.
    const HANDLE screen = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                    nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    if (screen == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no console can be made here: error " << GetLastError();
    // A code page that spells none of these characters: narrow writes would show mojibake.
    const UINT previousCodePage = GetConsoleOutputCP();
    SetConsoleOutputCP(437);
    const std::string text = utf8(u8"café ◆ Ωμέγα 面🎨.");
    {
        ConsoleTextBuffer buffer(screen);
        std::ostream out(&buffer);
        // A byte at a time, each flushed: every character of more than one byte is cut.
        for (const char byte : text) out.put(byte).flush();
    }
    wchar_t cells[32] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadConsoleOutputCharacterW(screen, cells, 32, COORD{0, 0}, &read));
    const std::wstring shown(cells, read);
    EXPECT_EQ(shown.substr(0, 13), L"café ◆ Ωμέγα ");
    EXPECT_EQ(shown.substr(13, 1), L"面");
    EXPECT_EQ(shown.substr(14, 3), L"🎨.");  // a surrogate pair
    SetConsoleOutputCP(previousCodePage);
    CloseHandle(screen);
}

}  // namespace
}  // namespace kaleidra::stage_tool
