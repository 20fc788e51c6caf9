#include "testpage/page_layout.h"

namespace testpage {

FullPageLayout LayOutFullPage(const DeviceMetrics& printer, int scrX, int scrY)
{
    if (scrX <= 0)
        scrX = kFallbackScreenDpi;
    if (scrY <= 0)
        scrY = kFallbackScreenDpi;
    const double scaleX = static_cast<double>(printer.dpiX) / scrX;
    const double scaleY = static_cast<double>(printer.dpiY) / scrY;

    FullPageLayout layout{};
    layout.x1 = printer.dpiX;
    layout.x3 = 3 * printer.dpiX;
    layout.header.left = layout.x1;
    layout.header.top = printer.dpiY;
    layout.header.right = layout.header.left + static_cast<int>(scaleX * kLogoWidth);
    layout.header.bottom = layout.header.top + static_cast<int>(scaleY * kLogoHeight);
    // The exact header height, not the truncated one, in this order of addition.
    layout.textTop = scaleY * kLogoHeight + printer.dpiY + printer.dpiY * 0.25;
    layout.wrap = {layout.x1, static_cast<int>(layout.textTop), printer.pageW, printer.pageH};
    return layout;
}

RECT ReceiptWrapRect(const DeviceMetrics& printer)
{
    return {static_cast<int>(printer.dpiX * 0.5), static_cast<int>(0.5 * printer.dpiY), printer.pageW,
            printer.pageH};
}

double NextLineTop(double y, Advance advance, const LineMetrics& metrics, int drawnHeight)
{
    switch (advance) {
    case Advance::None: return y;
    case Advance::L1: return y + (metrics.tmHeight + metrics.tmExternalLeading);
    case Advance::L2: return y + (2 * metrics.tmHeight + metrics.tmExternalLeading);
    case Advance::HPlusTextHeight: return y + (drawnHeight + metrics.tmHeight);
    case Advance::H: return y + drawnHeight;
    case Advance::HPlusHeadingLine: return y + (drawnHeight + metrics.headingLine);
    case Advance::TwiceH: return y + 2 * drawnHeight;
    }
    return y;
}

}  // namespace testpage
