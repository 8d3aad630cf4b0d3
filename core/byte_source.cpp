#include "core/byte_source.h"

#include <optional>
#include <string>
#include <string_view>

#include "core/unicode_text.h"

// The C runtime's descriptor calls: only they tell a regular file from a device before reading.
#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kaleidra {

namespace {

#ifdef _WIN32

bool isRegularMode(unsigned mode) { return (mode & _S_IFMT) == _S_IFREG; }

// The wide calls: the narrow ones take the system code page, which cannot spell every name and
// would open another file in place of one it spells by a look-alike.
std::optional<std::wstring> widePath(const char* path) {
    const std::optional<std::u16string> units = utf16FromUtf8(path);
    if (!units) return std::nullopt;
    return std::wstring(units->begin(), units->end());
}

int openRegularFile(const char* path) {
    // Opening a device name reaches the device in any folder, and reading it may wait forever.
    if (namesReservedDevice(path)) return -1;
    const std::optional<std::wstring> name = widePath(path);
    if (!name) return -1;
    struct _stat info {};
    if (_wstat(name->c_str(), &info) != 0 || !isRegularMode(info.st_mode)) return -1;
    const int descriptor = _wopen(name->c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (descriptor < 0) return -1;
    // What was opened may not be what was looked at: a pipe or a device reports itself here.
    if (_fstat(descriptor, &info) != 0 || !isRegularMode(info.st_mode)) {
        _close(descriptor);
        return -1;
    }
    return descriptor;
}

int readInto(int descriptor, std::uint8_t* buffer, std::size_t size) {
    return _read(descriptor, buffer, static_cast<unsigned>(size));
}

void closeDescriptor(int descriptor) { _close(descriptor); }

#else

int openRegularFile(const char* path) {
    struct stat info {};
    // Looked at first, so that no device is even opened.
    if (stat(path, &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    // Non-blocking, so that a FIFO put in the file's place meanwhile cannot hold up the open.
    const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) return -1;
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(descriptor);
        return -1;
    }
    return descriptor;
}

int readInto(int descriptor, std::uint8_t* buffer, std::size_t size) {
    return static_cast<int>(read(descriptor, buffer, size));
}

void closeDescriptor(int descriptor) { close(descriptor); }

#endif

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool equalsUpper(std::string_view name, std::string_view upperName) {
    if (name.size() != upperName.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (upperAscii(name[i]) != upperName[i]) return false;
    return true;
}

}  // namespace

bool namesReservedDevice(const char* path) {
    if (path == nullptr) return false;
    std::string_view name(path);
    // The last part of the path. In UTF-8 no byte of a longer character is a slash or a backslash.
    name = name.substr(name.find_last_of("\\/") + 1);
    if (name.size() >= 2 && name[1] == ':') name.remove_prefix(2);  // "C:CON"
    // Windows ignores what follows a dot or colon, and spaces before it: "com1 .txt" is the port.
    name = name.substr(0, name.find_first_of(".:"));
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);

    for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (equalsUpper(name, device)) return true;
    if (name.size() == 4 && name[3] >= '1' && name[3] <= '9')
        return equalsUpper(name.substr(0, 3), "COM") || equalsUpper(name.substr(0, 3), "LPT");
    return false;
}

FileByteSource::FileByteSource(const char* path) {
    if (path != nullptr && path[0] != '\0') descriptor_ = openRegularFile(path);
}

FileByteSource::~FileByteSource() {
    if (descriptor_ >= 0) closeDescriptor(descriptor_);
}

int FileByteSource::nextByte() {
    if (descriptor_ < 0) return -1;
    if (position_ == filled_) {
        const int count = readInto(descriptor_, buffer_.data(), buffer_.size());
        // The end, or a read error: either ends the content, and no later read is tried.
        if (count <= 0) {
            closeDescriptor(descriptor_);
            descriptor_ = -1;
            return -1;
        }
        filled_ = static_cast<std::size_t>(count);
        position_ = 0;
    }
    return buffer_[position_++];
}

int MemoryByteSource::nextByte() {
    if (position_ >= bytes_.size()) return -1;
    return bytes_[position_++];
}

}  // namespace kaleidra
