#include "view/gdi.h"

namespace kaleidra {

namespace {
int liveCount = 0;
void countAcquired() { ++liveCount; }
void countReleased() { --liveCount; }
}  // namespace

int liveGdiResources() { return liveCount; }

WindowDC::WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {
    if (dc_) countAcquired();
}

WindowDC::~WindowDC() {
    if (!dc_) return;
    ReleaseDC(window_, dc_);
    countReleased();
}

PaintDC::PaintDC(HWND window) : window_(window), paint_{}, dc_(BeginPaint(window, &paint_)) {
    countAcquired();
}

PaintDC::~PaintDC() {
    EndPaint(window_, &paint_);
    countReleased();
}

MemoryDC::MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {
    if (dc_) countAcquired();
}

MemoryDC::~MemoryDC() {
    if (!dc_) return;
    // Deleting the DC lets go of the bitmap in it, so the first one is not selected back. Every
    // bitmap owner is declared before the DCs its bitmap goes into, so it is deleted after them.
    DeleteDC(dc_);
    countReleased();
}

void MemoryDC::select(HBITMAP bitmap) {
    if (dc_ && bitmap) SelectObject(dc_, bitmap);
}

namespace {
HBITMAP createScratchBitmap(HDC dc, int width, int height, void** bits) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(dc, &format, DIB_RGB_COLORS, bits, nullptr, 0);
}
}  // namespace

ScratchBitmap::ScratchBitmap(HDC dc, int width, int height)
    : bitmap_(createScratchBitmap(dc, width, height, &bits_)) {
    if (bitmap_) countAcquired();
}

ScratchBitmap::~ScratchBitmap() {
    // Fails while the bitmap is still selected into a DC: then it stays counted as a leak.
    if (bitmap_ && DeleteObject(bitmap_)) countReleased();
}

}  // namespace kaleidra
