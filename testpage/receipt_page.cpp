// The receipt test page for narrow rolls: a two-line text heading, then one column
// in which every label and every value is a wrapped line of its own.
#include <optional>

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
DWORD PrintReceiptTestPage(DWORD nModel, const OSVERSION* pOsVersion, const char* pszPrinterName)
{
    using namespace testpage;
    const DWORD code = pOsVersion ? *pOsVersion : OS_UNKNOWN;

    PageFacts facts;
    GatherFacts(facts, pszPrinterName, g_installState.szPort);
    const std::vector<PageLine> lines = ReceiptPageLines(code, ModelRow(nModel), facts);

    const DOCINFOA doc = TestPageDocInfo(kDocumentName);
    gdi::OwnedDC printer(CreateDCA("WINSPOOL", g_installState.szPrinter, nullptr, nullptr));
    DWORD result = printer ? ERROR_SUCCESS : LastErrorOr(ERROR_INVALID_PRINTER_NAME);

    PrintJob job(printer.get(), doc);
    job.StartPage();

    // The heading's size follows the screen's resolution, not the printer's.
    int screenDpiY = 0;
    {
        gdi::WindowDC screen(nullptr);
        screenDpiY = GetDeviceCaps(screen.get(), LOGPIXELSY);
    }

    gdi::Font headingFont(CreatePageFont(ReceiptHeadingFont(code, screenDpiY)));
    gdi::Font bodyFont;
    std::optional<gdi::Selection> fontSelection;
    fontSelection.emplace(printer.get(), headingFont.get());

    const DeviceMetrics device{GetDeviceCaps(printer.get(), LOGPIXELSX), GetDeviceCaps(printer.get(), LOGPIXELSY),
                               GetDeviceCaps(printer.get(), HORZRES), GetDeviceCaps(printer.get(), VERTRES)};
    TEXTMETRICA tm{};
    GetTextMetricsA(printer.get(), &tm);
    // Measured once on the heading font; the gaps keep it after the body font takes over.
    const LineMetrics metrics{tm.tmHeight, tm.tmExternalLeading, tm.tmHeight + tm.tmExternalLeading};
    RECT wrap = ReceiptWrapRect(device);

    bool bodySelected = false;
    for (const PageLine& line : lines) {
        if (line.font == LineFont::Body && !bodySelected) {
            bodySelected = true;
            bodyFont = gdi::Font(CreatePageFont(ReceiptBodyFont(code)));
            fontSelection.reset();
            fontSelection.emplace(printer.get(), bodyFont.get());
            headingFont.reset();
        }
        const int drawn = DrawTextA(printer.get(), line.szText, -1, &wrap, DT_WORDBREAK);
        wrap.top = static_cast<int>(NextLineTop(wrap.top, line.advance, metrics, drawn));
    }

    job.EndPage();
    if (!job.End() && result == ERROR_SUCCESS)
        result = LastErrorOr(ERROR_PRINT_CANCELLED);
    return result;
}
