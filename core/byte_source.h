#pragma once
// Raw byte streams for the stage reader: a file on disk, or bytes already in memory.

#include <cstdint>
#include <cstdio>
#include <span>

namespace kaleidra {

// A stream of raw bytes: nextByte() gives 0..255, or -1 at the end or on a read error.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual int nextByte() = 0;
};

// Reads a file in binary mode, so that the stage reader alone decides how line ends count.
// A file that cannot be opened yields no byte.
class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(const char* path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    int nextByte() override;

private:
    std::FILE* file_ = nullptr;
};

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
