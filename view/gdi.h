#pragma once
// Small owners for device contexts and GDI objects, so that every path releases what it took.

#include <windows.h>

#include <cstdint>

namespace kaleidra {

// Counts the device contexts and objects these owners hold right now; tests check it returns to 0.
int liveGdiResources();

// A window's device context from GetDC, released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window);
    ~WindowDC();
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint ... EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window);
    ~PaintDC();
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_;
    HDC dc_;
};

// A memory device context compatible with another, deleted with DeleteDC, which lets go of the
// bitmap selected into it.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith);
    ~MemoryDC();
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }
    void select(HBITMAP bitmap);

private:
    HDC dc_;
};

// An off-screen image to compose a picture in: a 32-bit DIB section, deleted with DeleteObject.
// Not a compatible bitmap: under Wine, creating and selecting one each ask the server for the
// display's depth, and a redraw per animation tick makes one.
class ScratchBitmap {
public:
    ScratchBitmap(HDC dc, int width, int height);
    ~ScratchBitmap();
    ScratchBitmap(const ScratchBitmap&) = delete;
    ScratchBitmap& operator=(const ScratchBitmap&) = delete;
    HBITMAP get() const { return bitmap_; }
    // Its pixels, top row first, 32 bits each (blue in the low byte); call GdiFlush before reading.
    const std::uint32_t* pixels() const { return static_cast<const std::uint32_t*>(bits_); }

private:
    void* bits_ = nullptr;
    HBITMAP bitmap_;
};

}  // namespace kaleidra
