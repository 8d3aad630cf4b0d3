#pragma once
// Little-endian fields appended to a byte buffer, as the Windows file formats lay them out.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace artgen {

class ByteWriter {
public:
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u16(std::uint16_t value);
    void u32(std::uint32_t value);
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace artgen
