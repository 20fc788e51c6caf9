#include "app/app_context.h"

#include "app/scoped_gdi.h"

AppContext g_app{};

void CreateOffscreen(HWND hwnd)
{
    gdi::WindowDC windowDC(hwnd);
    g_app.hdcOffscreen = CreateCompatibleDC(windowDC.get());
    // Compatible with the window's context, not the memory one: a memory context
    // starts monochrome and the test page needs the screen's colour format.
    g_app.hbmOffscreen = CreateCompatibleBitmap(windowDC.get(), g_app.cxScreen, g_app.cyScreen);
    SelectObject(g_app.hdcOffscreen, g_app.hbmOffscreen);
    g_app.hbrWhite = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    SelectObject(g_app.hdcOffscreen, g_app.hbrWhite);
    PatBlt(g_app.hdcOffscreen, 0, 0, g_app.cxScreen, g_app.cyScreen, PATCOPY);
}

void ReleaseOffscreen()
{
    if (g_app.hdcOffscreen) {
        DeleteDC(g_app.hdcOffscreen);
        g_app.hdcOffscreen = nullptr;
    }
    if (g_app.hbmOffscreen) {
        DeleteObject(g_app.hbmOffscreen);
        g_app.hbmOffscreen = nullptr;
    }
}
