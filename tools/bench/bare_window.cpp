// The floor the game is measured against: a bare window of the game's frame and size, made through
// the same wide calls, that paints once, and with "tick" on its command line draws one 64 x 32 piece
// per 50 ms timer tick the cheapest way a composed piece can reach the screen.
#include <windows.h>

#include <cstring>

namespace {

constexpr int clientWidth = 640;
constexpr int clientHeight = 480;
constexpr int pieceWidth = 64;
constexpr int pieceHeight = 32;
constexpr UINT_PTR tickTimerId = 1;
constexpr UINT tickPeriodMs = 50;

void drawPiece(HWND window) {
    HDC windowDC = GetDC(window);
    HDC memory = CreateCompatibleDC(windowDC);
    HBITMAP piece = CreateCompatibleBitmap(windowDC, pieceWidth, pieceHeight);
    HGDIOBJ original = SelectObject(memory, piece);
    BitBlt(windowDC, 0, 0, pieceWidth, pieceHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, original);
    DeleteDC(memory);
    DeleteObject(piece);
    ReleaseDC(window, windowDC);
}

LRESULT CALLBACK bareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        // Grey, so that a poller of the screen can tell the painted client from the empty root.
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    }
    case WM_TIMER:
        drawPiece(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = bareWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = L"Bare Window";
    if (!RegisterClassW(&windowClass)) return 1;

    const int width = clientWidth + 2 * GetSystemMetrics(SM_CXDLGFRAME);
    const int height =
        clientHeight + 2 * GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Bare Window",
                                  WS_DLGFRAME | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, width, height,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    if (std::strstr(commandLine, "tick")) SetTimer(window, tickTimerId, tickPeriodMs, nullptr);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
