// Where the test pages put things, in printer pixels of the printer context's default
// mapping (origin at the top-left of the printable area, y down).
#pragma once

#include <windows.h>

#include "testpage/page_content.h"

namespace testpage {

// The size of the logo artwork "KYVLOGO", which is printed whole.
inline constexpr int kLogoWidth = 288;
inline constexpr int kLogoHeight = 82;
// Used when the screen's resolution cannot be read, so the scale stays finite.
inline constexpr int kFallbackScreenDpi = 96;

struct DeviceMetrics {
    int dpiX;    // LOGPIXELSX
    int dpiY;    // LOGPIXELSY
    int pageW;   // HORZRES
    int pageH;   // VERTRES
};

struct FullPageLayout {
    int x1;            // label column, one inch in
    int x3;            // value column, three inches in
    RECT header;       // where the artwork is stretched to
    double textTop;    // top of the first text line
    RECT wrap;         // the sentence's rectangle, top set per line
};

// The artwork keeps the physical size it has on the screen (scrX, scrY), one inch
// from the left and the top; text starts a quarter inch below it.
FullPageLayout LayOutFullPage(const DeviceMetrics& printer, int scrX, int scrY);

// Half-inch margins left and top; every line wraps at the printable area's right edge.
RECT ReceiptWrapRect(const DeviceMetrics& printer);

struct LineMetrics {
    int tmHeight;
    int tmExternalLeading;
    int headingLine;   // receipt: tmHeight + tmExternalLeading of the heading font
};

// Top of the line after one drawn at y whose DrawTextA height was drawnHeight.
double NextLineTop(double y, Advance advance, const LineMetrics& metrics, int drawnHeight);

}  // namespace testpage
