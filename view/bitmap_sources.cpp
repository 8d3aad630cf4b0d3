#include "view/bitmap_sources.h"

namespace kaleidra {

BitmapSources::BitmapSources(HDC compatibleWith, const BitmapAssets& bitmaps)
    : compatibleWith_(compatibleWith), bitmaps_(bitmaps) {}

HDC BitmapSources::operator[](BitmapId id) {
    std::optional<MemoryDC>& source = sources_[static_cast<std::size_t>(id)];
    if (!source) {
        source.emplace(compatibleWith_);
        source->select(bitmaps_[id]);
    }
    return source->get();
}

}  // namespace kaleidra
