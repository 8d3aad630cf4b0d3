#include "app_fixture.h"

#include "app/startup.h"
#include "view/gdi.h"

namespace kaleidra::testing {

namespace {
bool classesRegistered = false;
}

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void pumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        pumpMessages();
        Sleep(5);
    }
}

void sendCommand(UINT id) { SendMessageA(program().mainWindow, WM_COMMAND, id, 0); }

bool quitMessageQueued(WPARAM* exitCode) {
    MSG message;
    if (!PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
    *exitCode = message.wParam;
    return true;
}

COLORREF windowPixel(HWND window, int x, int y) {
    WindowDC dc(window);
    return GetPixel(dc.get(), x, y);
}

COLORREF bitmapPixel(BitmapId bitmap, int x, int y) {
    WindowDC screen(nullptr);
    MemoryDC memory(screen.get());
    memory.select(program().bitmaps[bitmap]);
    return GetPixel(memory.get(), x, y);
}

::testing::AssertionResult blockMatchesBitmap(HWND window, int x, int y, BitmapId bitmap, int sourceX,
                                             int sourceY, int width, int height) {
    WindowDC dc(window);
    WindowDC screen(nullptr);
    MemoryDC memory(screen.get());
    memory.select(program().bitmaps[bitmap]);
    for (int dy = 0; dy < height; ++dy) {
        for (int dx = 0; dx < width; ++dx) {
            const COLORREF shown = GetPixel(dc.get(), x + dx, y + dy);
            const COLORREF expected = GetPixel(memory.get(), sourceX + dx, sourceY + dy);
            if (shown != expected)
                return ::testing::AssertionFailure()
                       << "window pixel (" << x + dx << ", " << y + dy << ") is 0x" << std::hex
                       << shown << ", bitmap pixel (" << std::dec << sourceX + dx << ", "
                       << sourceY + dy << ") is 0x" << std::hex << expected;
        }
    }
    return ::testing::AssertionSuccess();
}

namespace {

Picture capture(HDC source, int width, int height) {
    Picture picture(width, height);
    WindowDC screen(nullptr);
    ScratchBitmap section(screen.get(), width, height);
    if (!section.get()) return picture;
    {
        MemoryDC memory(screen.get());
        memory.select(section.get());
        BitBlt(memory.get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
        GdiFlush();
        const std::uint32_t* pixels = section.pixels();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t bgr = pixels[y * width + x];
                picture.set(x, y, RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
            }
        }
    }
    return picture;
}

}  // namespace

Picture Picture::ofWindow(HWND window, int width, int height) {
    WindowDC dc(window);
    return capture(dc.get(), width, height);
}

Picture Picture::ofBitmap(BitmapId bitmap, int width, int height) {
    WindowDC screen(nullptr);
    MemoryDC memory(screen.get());
    memory.select(program().bitmaps[bitmap]);
    return capture(memory.get(), width, height);
}

::testing::AssertionResult samePicture(const Picture& shown, const Picture& expected) {
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (shown.at(x, y) != expected.at(x, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is 0x" << std::hex << shown.at(x, y)
                       << ", expected 0x" << expected.at(x, y);
        }
    }
    return ::testing::AssertionSuccess();
}

void AppTest::SetUp() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    // Keep the real pointer off the windows: only the test moves the cursor cell.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    // A second start in the same process finds the classes registered, as a previous instance would.
    ASSERT_TRUE(startApplication(instance, classesRegistered ? instance : nullptr, SW_SHOWNORMAL));
    classesRegistered = true;
    pumpMessages();
}

void AppTest::TearDown() {
    Program& p = program();
    shutdownApplication();
    if (p.mainWindow) DestroyWindow(p.mainWindow);
    pumpMessages();
    p = Program{};
    EXPECT_EQ(liveGdiResources(), 0);
}

}  // namespace kaleidra::testing
