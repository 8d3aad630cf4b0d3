#pragma once
// Starts the program's windows in the test process, fresh for every test, and reads them back.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/program.h"

namespace kaleidra::testing {

// The program's cell at a lattice place.
inline Cell& programCell(std::int32_t col, std::int32_t row) {
    return program().field.cells[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
}

// Processes every message already queued, as the message loop would.
void pumpMessages();
// Keeps the message loop running for a while, so that timers tick.
void pumpFor(DWORD milliseconds);

// A menu command, as the popup menu delivers it to the main window.
void sendCommand(UINT id);
// Takes the quit message if one is queued, with its exit code.
bool quitMessageQueued(WPARAM* exitCode);

COLORREF windowPixel(HWND window, int x, int y);
// A pixel of one of the program's bitmaps, as the screen would show it.
COLORREF bitmapPixel(BitmapId bitmap, int x, int y);
// True when a block of the window equals a block of a bitmap pixel for pixel.
::testing::AssertionResult blockMatchesBitmap(HWND window, int x, int y, BitmapId bitmap, int sourceX,
                                             int sourceY, int width, int height);

// A block of pixels copied out in one go, much faster than GetPixel for each.
class Picture {
public:
    Picture(int width, int height) : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {}
    static Picture ofWindow(HWND window, int width, int height);
    static Picture ofBitmap(BitmapId bitmap, int width, int height);

    COLORREF at(int x, int y) const { return pixels_[index(x, y)]; }
    void set(int x, int y, COLORREF colour) { pixels_[index(x, y)] = colour; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool operator==(const Picture&) const = default;

private:
    std::size_t index(int x, int y) const {
        EXPECT_TRUE(x >= 0 && x < width_ && y >= 0 && y < height_) << x << ", " << y;
        return x >= 0 && x < width_ && y >= 0 && y < height_ ? static_cast<std::size_t>(y * width_ + x) : 0;
    }

    int width_;
    int height_;
    std::vector<COLORREF> pixels_;
};

// The first differing pixel, if any.
::testing::AssertionResult samePicture(const Picture& shown, const Picture& expected);

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace kaleidra::testing
