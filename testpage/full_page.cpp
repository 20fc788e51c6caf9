// The full test page: the logo artwork, a two-column table of the driver settings,
// the driver's additional files and a closing line, one page in one job.
#include "app/app_context.h"
#include "app/scoped_gdi.h"
#include "install/install_state.h"
#include "testpage/page_content.h"
#include "testpage/page_facts.h"
#include "testpage/page_gdi.h"
#include "testpage/page_layout.h"
#include "testpage/print_job.h"
#include "testpage/test_page.h"

// The result is 0 when the spooler took the page, else the first failure's code;
// nothing is stopped early for a failure.
DWORD PrintTestPage(DWORD nModel, const OSVERSION* pOsVersion, const char* pszPrinterName)
{
    using namespace testpage;
    const DWORD code = pOsVersion ? *pOsVersion : OS_UNKNOWN;

    PageFacts facts;
    GatherFacts(facts, pszPrinterName, g_installState.szPort);
    const std::vector<PageLine> lines = FullPageLines(code, ModelRow(nModel), facts);

    const DOCINFOA doc = TestPageDocInfo(kDocumentName);
    gdi::OwnedDC printer(CreateDCA("WINSPOOL", g_installState.szPrinter, nullptr, nullptr));
    DWORD result = printer ? ERROR_SUCCESS : LastErrorOr(ERROR_INVALID_PRINTER_NAME);

    // The artwork is copied into a context of the printer's format at its own size,
    // then stretched onto the page.
    gdi::OwnedDC header(CreateCompatibleDC(printer.get()));
    gdi::Bitmap headerBitmap(CreateCompatibleBitmap(printer.get(), kLogoWidth, kLogoHeight));
    gdi::Selection headerSelection(header.get(), headerBitmap.get());

    gdi::Font font(CreatePageFont(FullPageFont(code)));
    gdi::Selection fontSelection(printer.get(), font.get());

    int scrX = 0;
    int scrY = 0;
    {
        // Borrowed: the screen context leaves with the bitmap it came with.
        gdi::Selection logo(g_app.hdcOffscreen, g_app.hbmLogo);
        BitBlt(header.get(), 0, 0, kLogoWidth, kLogoHeight, g_app.hdcOffscreen, 0, 0, SRCCOPY);
        scrX = GetDeviceCaps(g_app.hdcOffscreen, LOGPIXELSX);
        scrY = GetDeviceCaps(g_app.hdcOffscreen, LOGPIXELSY);
    }
    const DeviceMetrics device{GetDeviceCaps(printer.get(), LOGPIXELSX), GetDeviceCaps(printer.get(), LOGPIXELSY),
                               GetDeviceCaps(printer.get(), HORZRES), GetDeviceCaps(printer.get(), VERTRES)};
    const FullPageLayout layout = LayOutFullPage(device, scrX, scrY);

    PrintJob job(printer.get(), doc);
    job.StartPage();

    const RECT& h = layout.header;
    StretchBlt(printer.get(), h.left, h.top, h.right - h.left, h.bottom - h.top, header.get(), 0, 0, kLogoWidth,
               kLogoHeight, SRCCOPY);

    TEXTMETRICA tm{};
    GetTextMetricsA(printer.get(), &tm);
    const LineMetrics metrics{tm.tmHeight, tm.tmExternalLeading, 0};

    double y = layout.textTop;
    for (const PageLine& line : lines) {
        const int top = static_cast<int>(y);
        int drawn = 0;
        switch (line.draw) {
        case Draw::Text:
            TextOutA(printer.get(), layout.x1, top, line.szText, Length(line.szText));
            break;
        case Draw::LabelValue:
            TextOutA(printer.get(), layout.x1, top, line.szText, Length(line.szText));
            TextOutA(printer.get(), layout.x3, top, line.szValue, Length(line.szValue));
            break;
        case Draw::Wrapped: {
            RECT wrap = layout.wrap;
            wrap.top = top;
            drawn = DrawTextA(printer.get(), line.szText, -1, &wrap, DT_WORDBREAK);
            break;
        }
        }
        y = NextLineTop(y, line.advance, metrics, drawn);
    }

    job.EndPage();
    if (!job.End() && result == ERROR_SUCCESS)
        result = LastErrorOr(ERROR_PRINT_CANCELLED);
    return result;
}
