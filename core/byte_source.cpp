#include "core/byte_source.h"

namespace kaleidra {

FileByteSource::FileByteSource(const char* path) {
    if (path != nullptr && path[0] != '\0') file_ = std::fopen(path, "rb");
}

FileByteSource::~FileByteSource() {
    if (file_ != nullptr) std::fclose(file_);
}

int FileByteSource::nextByte() {
    if (file_ == nullptr) return -1;
    // A directory opens on some systems; reading it fails, which also ends the content.
    const int byte = std::fgetc(file_);
    return byte == EOF ? -1 : byte;
}

int MemoryByteSource::nextByte() {
    if (position_ >= bytes_.size()) return -1;
    return bytes_[position_++];
}

}  // namespace kaleidra
