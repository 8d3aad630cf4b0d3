#include "stage_tool/console_output.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <iostream>
#include <string>

namespace kaleidra::stage_tool {

namespace {

// Where the last character of `bytes` begins when its sequence is cut short, else `size`.
std::size_t cutCharacterStart(const char* bytes, std::size_t size) {
    for (std::size_t back = 1; back <= std::min<std::size_t>(size, 4); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[size - back]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: the lead is further back
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? size - back : size;
    }
    return size;
}

}  // namespace

ConsoleTextBuffer::ConsoleTextBuffer(void* handle) : handle_(handle) {
    DWORD mode = 0;
    console_ = GetConsoleMode(handle_, &mode) != 0;
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

ConsoleTextBuffer::~ConsoleTextBuffer() { writePending(true); }

ConsoleTextBuffer::int_type ConsoleTextBuffer::overflow(int_type c) {
    if (!writePending(false)) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    // Room is left: at most three bytes of a cut character stay behind.
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int ConsoleTextBuffer::sync() { return writePending(false) ? 0 : -1; }

bool ConsoleTextBuffer::writePending(bool whole) {
    const auto size = static_cast<std::size_t>(pptr() - pbase());
    const std::size_t ready = console_ && !whole ? cutCharacterStart(pbase(), size) : size;
    const bool written = console_ ? writeToConsole(pbase(), static_cast<int>(ready))
                                  : writeBytes(pbase(), static_cast<unsigned long>(ready));
    // The cut character moves to the front; on failure the text is dropped, as a closed pipe drops it.
    const std::size_t kept = written ? size - ready : 0;
    std::memmove(buffer_.data(), pbase() + ready, kept);
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    pbump(static_cast<int>(kept));
    return written;
}

bool ConsoleTextBuffer::writeBytes(const char* bytes, unsigned long count) {
    while (count > 0) {
        DWORD written = 0;
        if (!WriteFile(handle_, bytes, count, &written, nullptr) || written == 0) return false;
        bytes += written;
        count -= written;
    }
    return true;
}

bool ConsoleTextBuffer::writeToConsole(const char* bytes, int count) {
    if (count == 0) return true;
    // Invalid bytes show as replacement characters: this is only for the eye.
    const int units = MultiByteToWideChar(CP_UTF8, 0, bytes, count, nullptr, 0);
    if (units <= 0) return false;
    std::wstring text(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes, count, text.data(), units);
    const wchar_t* next = text.data();
    DWORD left = static_cast<DWORD>(units);
    while (left > 0) {
        DWORD written = 0;
        if (!WriteConsoleW(handle_, next, left, &written, nullptr) || written == 0) return false;
        next += written;
        left -= written;
    }
    return true;
}

StandardStreamsInUtf8::StandardStreamsInUtf8()
    : out_(GetStdHandle(STD_OUTPUT_HANDLE)),
      err_(GetStdHandle(STD_ERROR_HANDLE)),
      previousOut_(std::cout.rdbuf(&out_)),
      previousErr_(std::cerr.rdbuf(&err_)) {}

StandardStreamsInUtf8::~StandardStreamsInUtf8() {
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf(previousOut_);
    std::cerr.rdbuf(previousErr_);
}

}  // namespace kaleidra::stage_tool
