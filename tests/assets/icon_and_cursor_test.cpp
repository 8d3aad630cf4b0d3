#include <gtest/gtest.h>

#include <vector>

#include "committed_assets.h"

namespace assets_test {
namespace {

constexpr int iconSize = 32;

struct DirectoryImage {
    int width;
    int height;
    std::uint16_t planesOrHotSpotX;
    std::uint16_t bitCountOrHotSpotY;
    Bitmap colours;
    std::vector<bool> transparent;  // from the AND mask, row by row from the top
};

// An .ico or .cur file: its resource type and images.
struct IconFile {
    std::uint16_t type = 0;
    std::vector<DirectoryImage> images;
};

IconFile readIconFile(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = readFileBytes(path);
    IconFile file;
    file.type = readU16(bytes, 2);
    const std::uint16_t count = readU16(bytes, 4);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        DirectoryImage image{bytes.at(entry),
                             bytes.at(entry + 1),
                             readU16(bytes, entry + 4),
                             readU16(bytes, entry + 6),
                             {},
                             {}};
        const std::uint32_t offset = readU32(bytes, entry + 12);
        image.colours = readDeviceIndependentBitmap(bytes, offset, image.height);

        // The AND mask follows the colour rows: 1 bit per pixel, rows padded to 32 bits, bottom-up.
        const std::size_t headerAndPalette = readU32(bytes, offset) + 4 * image.colours.palette.size();
        const std::size_t colourRowBytes =
            (static_cast<std::size_t>(image.width * image.colours.bitsPerPixel) + 31) / 32 * 4;
        const std::size_t maskStart =
            offset + headerAndPalette + colourRowBytes * static_cast<std::size_t>(image.height);
        const std::size_t maskRowBytes = (static_cast<std::size_t>(image.width) + 31) / 32 * 4;
        for (int y = 0; y < image.height; ++y) {
            const std::size_t row = maskStart + maskRowBytes * static_cast<std::size_t>(image.height - 1 - y);
            for (int x = 0; x < image.width; ++x) {
                image.transparent.push_back(
                    (bytes.at(row + static_cast<std::size_t>(x / 8)) >> (7 - x % 8) & 1) != 0);
            }
        }
        file.images.push_back(std::move(image));
    }
    return file;
}

TEST(ProgramIcon, HoldsATransparent16ColourImageAndAnOpaque256ColourOne) {
    const IconFile icon = readIconFile(resourcesDirectory() / "icon.ico");
    EXPECT_EQ(icon.type, 1);
    ASSERT_EQ(icon.images.size(), 2u);
    for (const DirectoryImage& image : icon.images) {
        EXPECT_EQ(image.width, iconSize);
        EXPECT_EQ(image.height, iconSize);
    }
    const DirectoryImage& sixteen = icon.images[0];
    const DirectoryImage& full = icon.images[1];
    EXPECT_EQ(sixteen.colours.bitsPerPixel, 4);
    EXPECT_EQ(full.colours.bitsPerPixel, 8);
    EXPECT_EQ(std::count(sixteen.transparent.begin(), sixteen.transparent.end(), true), iconSize * iconSize);
    EXPECT_EQ(std::count(full.transparent.begin(), full.transparent.end(), true), 0);
}

TEST(ProgramIcon, ShowsAGreenSlabOnCyanAndYellowStripes) {
    const IconFile icon = readIconFile(resourcesDirectory() / "icon.ico");
    ASSERT_EQ(icon.images.size(), 2u);
    const Bitmap& image = icon.images[1].colours;
    const Rgb centre = image.at(16, 14);
    EXPECT_TRUE(centre.g > 200 && centre.r < 160 && centre.b < 160) << "centre " << centre;
    bool cyan = false;
    bool yellow = false;
    for (int x = 0; x < iconSize; ++x) {
        const Rgb c = image.at(x, 0);
        cyan = cyan || (c.b > 200 && c.g > 200 && c.r < 128);
        yellow = yellow || (c.r > 200 && c.g > 200 && c.b < 128);
    }
    EXPECT_TRUE(cyan && yellow) << "both stripe colours along the top row";
}

// A white hand with a black outline: every visible pixel touching the transparent outside is
// black, the fingertip at the hot spot included.
TEST(MouseCursor, IsAMonochromeWhiteHandOutlinedInBlackWithTheHotSpotAtTheFingertip) {
    const IconFile cursor = readIconFile(resourcesDirectory() / "cursor.cur");
    EXPECT_EQ(cursor.type, 2);
    ASSERT_EQ(cursor.images.size(), 1u);
    const DirectoryImage& image = cursor.images[0];
    EXPECT_EQ(image.width, iconSize);
    EXPECT_EQ(image.height, iconSize);
    EXPECT_EQ(image.colours.bitsPerPixel, 1);
    EXPECT_EQ(image.planesOrHotSpotX, 0);
    EXPECT_EQ(image.bitCountOrHotSpotY, 0);

    const auto visible = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < iconSize && y < iconSize &&
               !image.transparent[static_cast<std::size_t>(y * iconSize + x)];
    };
    ASSERT_TRUE(visible(0, 0));
    int whitePixels = 0;
    for (int y = 0; y < iconSize; ++y) {
        for (int x = 0; x < iconSize; ++x) {
            const Rgb c = image.colours.at(x, y);
            if (!visible(x, y)) {
                EXPECT_EQ(c, black) << "a transparent pixel must not invert the screen, at " << x << ", "
                                    << y;
                continue;
            }
            ASSERT_TRUE(c == black || c == white);
            const bool touchesOutside =
                !visible(x - 1, y) || !visible(x + 1, y) || !visible(x, y - 1) || !visible(x, y + 1);
            if (touchesOutside) {
                EXPECT_EQ(c, black) << "outline at " << x << ", " << y;
            }
            whitePixels += c == white ? 1 : 0;
        }
    }
    EXPECT_GT(whitePixels, 150);
}

}  // namespace
}  // namespace assets_test
