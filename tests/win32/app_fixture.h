#pragma once
// Starts the program's windows in the test process, fresh for every test, and reads them back.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "app/program.h"

namespace kaleidra::testing {

// Processes every message already queued, as the message loop would.
void pumpMessages();
// Keeps the message loop running for a while, so that timers tick.
void pumpFor(DWORD milliseconds);

COLORREF windowPixel(HWND window, int x, int y);
// A pixel of one of the program's bitmaps, as the screen would show it.
COLORREF bitmapPixel(BitmapId bitmap, int x, int y);
// True when a block of the window equals a block of a bitmap pixel for pixel.
::testing::AssertionResult blockMatchesBitmap(HWND window, int x, int y, BitmapId bitmap, int sourceX,
                                             int sourceY, int width, int height);

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace kaleidra::testing
