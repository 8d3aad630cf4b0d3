// The main window's picture in both phases, and the repaint it passes on to the children.
#include <array>

#include "app_fixture.h"
#include "resource.h"
#include "view/gdi.h"

namespace kaleidra::testing {
namespace {

struct Placed {
    BitmapId bitmap;
    int x;
    int y;
    int width;
    int height;
};

constexpr std::array<Placed, 3> titlePictures = {{
    {BitmapId::TitleAuthor, 300, 130, 330, 35},
    {BitmapId::TitleLogo1, 10, 14, 294, 42},
    {BitmapId::TitleLogo2, 10, 60, 508, 65},
}};
constexpr Placed background = {BitmapId::TitleBack, 0, 171, 639, 309};

void repaintMain() {
    HWND main = program().mainWindow;
    InvalidateRect(main, nullptr, TRUE);
    UpdateWindow(main);
}

TEST_F(AppTest, TitleScreenShowsItsPicturesOverTheBackground) {
    repaintMain();
    HWND main = program().mainWindow;
    for (const Placed& picture : titlePictures)
        EXPECT_TRUE(blockMatchesBitmap(main, picture.x, picture.y, picture.bitmap, 0, 0,
                                       picture.width, picture.height))
            << bitmapResourceName(picture.bitmap);
    EXPECT_TRUE(blockMatchesBitmap(main, background.x, background.y, background.bitmap, 0, 0,
                                   background.width, background.height));
    EXPECT_EQ(windowPixel(main, 639, 300), RGB(255, 255, 255)) << "the last column keeps white";
}

TEST_F(AppTest, MainPaintDuringAGameRepaintsTheChildren) {
    Program& p = program();
    SendMessageA(p.mainWindow, WM_COMMAND, IDM_START, 0);
    KillTimer(p.statusWindow, clockTimerId);
    pumpMessages();
    const Picture field = Picture::ofWindow(p.fieldWindow, 608, 288);
    const Picture status = Picture::ofWindow(p.statusWindow, 640, 160);
    {
        // Scribble over both children, as a window dragged across them would leave them.
        WindowDC fieldDC(p.fieldWindow);
        WindowDC statusDC(p.statusWindow);
        const RECT all{0, 0, 640, 288};
        FillRect(fieldDC.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        FillRect(statusDC.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    SendMessageA(p.mainWindow, WM_PAINT, 0, 0);
    EXPECT_TRUE(samePicture(Picture::ofWindow(p.fieldWindow, 608, 288), field));
    EXPECT_TRUE(samePicture(Picture::ofWindow(p.statusWindow, 640, 160), status));
}

TEST_F(AppTest, ChildPaintsOnTheTitleScreenDrawNothing) {
    const Program& p = program();
    for (HWND child : {p.statusWindow, p.fieldWindow}) {
        SCOPED_TRACE(child == p.statusWindow ? "status" : "field");
        ShowWindow(child, SW_SHOW);  // shown only to read it back
        {
            WindowDC dc(child);
            const RECT whole{0, 0, 640, 288};
            FillRect(dc.get(), &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
        SendMessageA(child, WM_PAINT, 0, 0);
        EXPECT_EQ(windowPixel(child, 120, 130), RGB(0, 0, 0));
        ShowWindow(child, SW_HIDE);
    }
}

}  // namespace
}  // namespace kaleidra::testing
