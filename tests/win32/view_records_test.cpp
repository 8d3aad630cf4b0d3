// The view draws from the records it is given, onto the window it is given: here a bare window and
// records of the test's own, without the program around them.
#include <windows.h>

#include <gtest/gtest.h>

#include "app_fixture.h"
#include "view/gdi.h"
#include "view/status_panel.h"

namespace kaleidra::testing {
namespace {

class BareWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(loadBitmapBatch(GetModuleHandleA(nullptr), bitmaps_, BitmapBatch::Title));
        ASSERT_TRUE(loadBitmapBatch(GetModuleHandleA(nullptr), bitmaps_, BitmapBatch::Rest));
        window_ = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, statusWidth,
                                  statusHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
        initDefaults(state_, settings_);
        initPatternTable(patterns_);
    }

    void TearDown() override {
        DestroyWindow(window_);
        EXPECT_EQ(deleteBitmapAssets(bitmaps_), bitmapCount);
        EXPECT_EQ(liveGdiResources(), 0);
    }

    StatusScene scene() const { return {settings_, state_, patterns_, bitmaps_}; }

    // The window's block against one of these records' bitmaps, pixel for pixel.
    bool shows(int x, int y, BitmapId bitmap, int width, int height) const {
        WindowDC shown(window_);
        WindowDC screen(nullptr);
        MemoryDC source(screen.get());
        source.select(bitmaps_[bitmap]);
        for (int dy = 0; dy < height; ++dy)
            for (int dx = 0; dx < width; ++dx)
                if (GetPixel(shown.get(), x + dx, y + dy) != GetPixel(source.get(), dx, dy)) return false;
        return true;
    }

    HWND window_ = nullptr;
    BitmapAssets bitmaps_;
    GameSettings settings_{};
    GameState state_{};
    PatternTable patterns_{};
};

TEST_F(BareWindowTest, PatternPreviewFollowsTheGivenPatternType) {
    for (int type = TypeA; type <= TypeG; ++type) {
        SCOPED_TRACE(type);
        settings_.patternType = static_cast<PatternType>(type);
        redrawStatusItem(window_, scene(), drawPatternPreview);
        EXPECT_TRUE(shows(511, 34, static_cast<BitmapId>(static_cast<int>(BitmapId::SetArea1) + type), 80, 40));
    }
}

bool isTitlePicture(std::size_t index) {
    return index <= static_cast<std::size_t>(BitmapId::TitleBack);
}

bool isDibSection(HBITMAP bitmap) {
    DIBSECTION section{};
    return GetObjectA(bitmap, sizeof section, &section) == sizeof section;
}

// DIB sections, since a device-dependent bitmap makes every selection into a DC dearer under Wine.
TEST(BitmapBatches, TitleThenRestLoadTheWholeCatalogueAsDibSections) {
    BitmapAssets bitmaps;
    ASSERT_TRUE(loadBitmapBatch(GetModuleHandleA(nullptr), bitmaps, BitmapBatch::Title));
    for (std::size_t i = 0; i < bitmaps.handles.size(); ++i)
        EXPECT_EQ(bitmaps.handles[i] != nullptr, isTitlePicture(i)) << i;
    ASSERT_TRUE(loadBitmapBatch(GetModuleHandleA(nullptr), bitmaps, BitmapBatch::Rest));
    for (std::size_t i = 0; i < bitmaps.handles.size(); ++i)
        EXPECT_TRUE(isDibSection(bitmaps.handles[i])) << i;
    EXPECT_EQ(deleteBitmapAssets(bitmaps), bitmapCount);
}

TEST(BitmapBatches, AFailedBatchDeletesTheBatchLoadedBefore) {
    BitmapAssets bitmaps;
    ASSERT_TRUE(loadBitmapBatch(GetModuleHandleA(nullptr), bitmaps, BitmapBatch::Title));
    const BitmapAssets loaded = bitmaps;
    // A module without the program's bitmaps.
    EXPECT_FALSE(loadBitmapBatch(GetModuleHandleA("kernel32.dll"), bitmaps, BitmapBatch::Rest));
    for (std::size_t i = 0; i < bitmaps.handles.size(); ++i) {
        EXPECT_EQ(bitmaps.handles[i], nullptr) << i;
        if (loaded.handles[i]) {
            EXPECT_EQ(GetObjectType(loaded.handles[i]), 0u) << "not deleted: " << i;
        }
    }
}

}  // namespace
}  // namespace kaleidra::testing
