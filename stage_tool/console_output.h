#pragma once
// Standard output and error of the Windows build. The tool writes UTF-8; a console gets it as UTF-16,
// so that every name shows right whatever the console's code page, and a file or pipe gets the
// UTF-8 bytes unchanged, the same bytes the native build writes.

#include <array>
#include <streambuf>

namespace kaleidra::stage_tool {

class ConsoleTextBuffer final : public std::streambuf {
public:
    explicit ConsoleTextBuffer(void* handle);
    ~ConsoleTextBuffer() override;
    ConsoleTextBuffer(const ConsoleTextBuffer&) = delete;
    ConsoleTextBuffer& operator=(const ConsoleTextBuffer&) = delete;

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    // Writes what is buffered; for a console a character cut at the end waits for its other bytes,
    // unless `whole` says nothing more will come.
    bool writePending(bool whole);
    bool writeBytes(const char* bytes, unsigned long count);
    bool writeToConsole(const char* bytes, int count);

    void* handle_;
    bool console_;
    std::array<char, 4096> buffer_{};
};

// Puts such buffers under std::cout and std::cerr while it lives, and flushes them at its end.
class StandardStreamsInUtf8 {
public:
    StandardStreamsInUtf8();
    ~StandardStreamsInUtf8();
    StandardStreamsInUtf8(const StandardStreamsInUtf8&) = delete;
    StandardStreamsInUtf8& operator=(const StandardStreamsInUtf8&) = delete;

private:
    ConsoleTextBuffer out_;
    ConsoleTextBuffer err_;
    std::streambuf* previousOut_;
    std::streambuf* previousErr_;
};

}  // namespace kaleidra::stage_tool
