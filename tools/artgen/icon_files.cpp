#include "icon_files.h"

#include <stdexcept>

#include "bmp_file.h"
#include "byte_writer.h"

namespace artgen {

namespace {

constexpr std::uint16_t iconResourceType = 1;
constexpr std::uint16_t cursorResourceType = 2;
constexpr std::uint32_t directoryHeaderSize = 6;
constexpr std::uint32_t directoryEntrySize = 16;

// The image as stored in the file: a BITMAPINFOHEADER of double height (colours plus mask),
// the full palette, the colour rows and the AND mask rows, both bottom-up.
std::vector<std::uint8_t> iconImageBytes(const IconImage& image) {
    const IndexedImage& colours = image.colours;
    const std::size_t paletteEntries = std::size_t{1} << image.bitsPerPixel;
    if (colours.palette.size() > paletteEntries) throw std::invalid_argument("palette too large");
    if (image.transparent.size() != colours.indices.size()) throw std::invalid_argument("mask size");

    IndexedImage mask{colours.width, colours.height, {}, {}};
    for (bool transparent : image.transparent) mask.indices.push_back(transparent ? 1 : 0);

    const std::size_t colourBytes =
        bmpRowBytes(colours.width, image.bitsPerPixel) * static_cast<std::size_t>(colours.height);
    const std::size_t maskBytes = bmpRowBytes(colours.width, 1) * static_cast<std::size_t>(colours.height);

    ByteWriter out;
    out.u32(40);
    out.i32(colours.width);
    out.i32(2 * colours.height);
    out.u16(1);
    out.u16(static_cast<std::uint16_t>(image.bitsPerPixel));
    out.u32(0);
    out.u32(static_cast<std::uint32_t>(colourBytes + maskBytes));
    out.i32(0);
    out.i32(0);
    out.u32(0);
    out.u32(0);
    for (std::size_t i = 0; i < paletteEntries; ++i) {
        const Rgb colour = i < colours.palette.size() ? colours.palette[i] : black;
        out.u8(colour.b);
        out.u8(colour.g);
        out.u8(colour.r);
        out.u8(0);
    }
    appendPixelRows(out, colours, image.bitsPerPixel);
    appendPixelRows(out, mask, 1);
    return out.bytes();
}

void appendDirectoryHeader(ByteWriter& out, std::uint16_t type, std::size_t count) {
    out.u16(0);
    out.u16(type);
    out.u16(static_cast<std::uint16_t>(count));
}

void appendDirectoryEntry(ByteWriter& out, const IconImage& image, std::uint16_t planesOrHotSpotX,
                          std::uint16_t bitCountOrHotSpotY, std::size_t bytes, std::size_t offset) {
    out.u8(static_cast<std::uint8_t>(image.colours.width));  // 256 would be stored as 0
    out.u8(static_cast<std::uint8_t>(image.colours.height));
    out.u8(image.bitsPerPixel < 8 ? static_cast<std::uint8_t>(1 << image.bitsPerPixel) : 0);
    out.u8(0);
    out.u16(planesOrHotSpotX);
    out.u16(bitCountOrHotSpotY);
    out.u32(static_cast<std::uint32_t>(bytes));
    out.u32(static_cast<std::uint32_t>(offset));
}

}  // namespace

std::vector<std::uint8_t> icoFileBytes(const std::vector<IconImage>& images) {
    std::vector<std::vector<std::uint8_t>> stored;
    for (const IconImage& image : images) stored.push_back(iconImageBytes(image));

    ByteWriter out;
    appendDirectoryHeader(out, iconResourceType, images.size());
    std::size_t offset = directoryHeaderSize + directoryEntrySize * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        appendDirectoryEntry(out, images[i], 1, static_cast<std::uint16_t>(images[i].bitsPerPixel),
                             stored[i].size(), offset);
        offset += stored[i].size();
    }
    std::vector<std::uint8_t> bytes = out.bytes();
    for (const auto& image : stored) bytes.insert(bytes.end(), image.begin(), image.end());
    return bytes;
}

std::vector<std::uint8_t> curFileBytes(const IconImage& image, HotSpot hotSpot) {
    const std::vector<std::uint8_t> stored = iconImageBytes(image);
    ByteWriter out;
    appendDirectoryHeader(out, cursorResourceType, 1);
    appendDirectoryEntry(out, image, hotSpot.x, hotSpot.y, stored.size(),
                         directoryHeaderSize + directoryEntrySize);
    std::vector<std::uint8_t> bytes = out.bytes();
    bytes.insert(bytes.end(), stored.begin(), stored.end());
    return bytes;
}

}  // namespace artgen
