// Application-wide drawing resources, set up once when the main window is created.
#pragma once

#include <windows.h>

struct AppContext {
    HINSTANCE hInstance;
    int cxScreen;           // primary screen, measured once at start
    int cyScreen;
    HDC hdcOffscreen;       // memory context compatible with the screen
    HBITMAP hbmOffscreen;   // screen-sized white bitmap selected into hdcOffscreen
    HBRUSH hbrWhite;        // stock brush, never released
    HBITMAP hbmLogo;        // "KYVLOGO", drawn only by the test page; never released
};

extern AppContext g_app;

// Creates hdcOffscreen and hbmOffscreen from the screen-compatible context of hwnd.
void CreateOffscreen(HWND hwnd);

// Releases hdcOffscreen and hbmOffscreen; does nothing the second time.
void ReleaseOffscreen();
