#pragma once
// Raw byte streams for the stage reader: a file on disk, or bytes already in memory.

#include <array>
#include <cstdint>
#include <span>

namespace kaleidra {

// A stream of raw bytes: nextByte() gives 0..255, or -1 at the end or on a read error.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual int nextByte() = 0;
};

// Reads a regular disk file in binary mode, so that the stage reader alone decides how line ends
// count. Under Windows the path is UTF-8; elsewhere its bytes are the file system's. Anything else
// (a folder, FIFO, socket, device or a reserved device name) yields no byte and is never read,
// since a read from it may never return.
class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(const char* path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    int nextByte() override;

private:
    int descriptor_ = -1;
    std::array<std::uint8_t, 512> buffer_{};
    std::size_t filled_ = 0;
    std::size_t position_ = 0;
};

// Whether the last part of a path is a device name that Windows reserves in every folder (CON, PRN,
// AUX, NUL, COM1..COM9, LPT1..LPT9, CONIN$, CONOUT$), in any case, with or without an extension.
bool namesReservedDevice(const char* path);

// Yields the bytes of a buffer that outlives it.
class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    int nextByte() override;

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

}  // namespace kaleidra
