// Prints the test pages under Wine the way the wizard does, for the paper tests.
//
//   print_probe install <printer> <driver> <description.ppd>
//       adds a driver whose data file is the given PostScript printer description
//       and a printer on LPT1: that uses it
//   print_probe print full|receipt <model> <code> <printer> <report>
//       sets up the wizard's drawing context, prints one page with the library
//       answering <code>, and writes what it saw to <report> as key=value lines
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/app_context.h"
#include "app/bounded_string.h"
#include "app/scoped_gdi.h"
#include "install/corvane_api.h"
#include "install/install_state.h"
#include "testpage/page_content.h"
#include "testpage/page_gdi.h"
#include "testpage/test_page.h"

namespace {

OSVERSION g_code = OS_UNKNOWN;

int Fail(const char* what)
{
    std::fprintf(stderr, "print_probe: %s failed (error %lu)\n", what, GetLastError());
    return 1;
}

int Install(const char* printer, const char* driver, const char* description)
{
    char directory[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(directory), sizeof directory,
                                    &needed))
        return Fail("GetPrinterDriverDirectoryA");
    const char* base = std::strrchr(description, '\\');
    base = base ? base + 1 : description;
    char target[MAX_PATH];
    text::Format(target, "%s\\%s", directory, base);
    // Wine's PostScript driver reads the description from the driver directory.
    if (!CopyFileA(description, target, FALSE))
        return Fail("CopyFileA");

    char driverPath[] = "wineps.drv";
    DRIVER_INFO_3A info{};
    info.cVersion = 3;
    info.pName = const_cast<char*>(driver);
    info.pDriverPath = driverPath;
    info.pDataFile = const_cast<char*>(base);
    info.pConfigFile = driverPath;
    if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<LPBYTE>(&info), APD_COPY_ALL_FILES))
        return Fail("AddPrinterDriverExA");

    char port[] = "LPT1:";
    char processor[] = "WinPrint";
    char datatype[] = "RAW";
    PRINTER_INFO_2A printerInfo{};
    printerInfo.pPrinterName = const_cast<char*>(printer);
    printerInfo.pPortName = port;
    printerInfo.pDriverName = const_cast<char*>(driver);
    printerInfo.pPrintProcessor = processor;
    printerInfo.pDatatype = datatype;
    printerInfo.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE handle = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&printerInfo));
    if (!handle)
        return Fail("AddPrinterA");
    ClosePrinter(handle);
    return 0;
}

void ReportFont(std::FILE* out, const char* name, HDC printer, const testpage::FontChoice& choice)
{
    gdi::Font font(testpage::CreatePageFont(choice));
    gdi::Selection selection(printer, font.get());
    TEXTMETRICA tm{};
    GetTextMetricsA(printer, &tm);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(printer, LF_FACESIZE, face);
    std::fprintf(out, "%s.height=%ld\n%s.ascent=%ld\n%s.internal_leading=%ld\n%s.external_leading=%ld\n%s.face=%s\n",
                 name, tm.tmHeight, name, tm.tmAscent, name, tm.tmInternalLeading, name, tm.tmExternalLeading, name,
                 face);
}

LRESULT CALLBACK HiddenWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int Print(bool receipt, DWORD model, OSVERSION code, const char* printer, const char* reportPath)
{
    g_code = code;
    HINSTANCE instance = GetModuleHandleA(nullptr);

    // As the wizard's main window does: a hidden window's screen-compatible context
    // with a screen-sized white bitmap, and the logo from the resources.
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HiddenWndProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "CorvanePrintProbe";
    RegisterClassA(&windowClass);
    HWND hwnd = CreateWindowExA(0, windowClass.lpszClassName, "probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, instance, nullptr);
    g_app.hInstance = instance;
    g_app.cxScreen = GetSystemMetrics(SM_CXSCREEN);
    g_app.cyScreen = GetSystemMetrics(SM_CYSCREEN);
    CreateOffscreen(hwnd);
    g_app.hbmLogo = LoadBitmapA(instance, "KYVLOGO");
    if (!g_app.hdcOffscreen || !g_app.hbmOffscreen || !g_app.hbmLogo)
        return Fail("setting up the drawing context");

    text::Copy(g_installState.szPrinter, printer);
    text::Copy(g_installState.szPort, "LPT1:");

    const DWORD result = receipt ? PrintReceiptTestPage(model, &code, printer) : PrintTestPage(model, &code, printer);
    const bool restored = GetCurrentObject(g_app.hdcOffscreen, OBJ_BITMAP) == g_app.hbmOffscreen;

    std::FILE* out = std::fopen(reportPath, "w");
    if (!out)
        return Fail("opening the report");
    std::fprintf(out, "result=%lu\noffscreen_restored=%d\n", result, restored ? 1 : 0);
    // What this machine answers, for the checker to expect on the page.
    char computer[testpage::kComputerNameChars] = {};
    DWORD size = sizeof computer;
    GetComputerNameA(computer, &size);
    char directory[testpage::kDriverDirectoryBytes] = {};
    DWORD needed = 0;
    GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(directory), sizeof directory, &needed);
    std::fprintf(out, "computer_name=%s\ndriver_directory=%s\n", computer, directory);
    {
        gdi::WindowDC screen(nullptr);
        std::fprintf(out, "screen.dpi_x=%d\nscreen.dpi_y=%d\n", GetDeviceCaps(screen.get(), LOGPIXELSX),
                     GetDeviceCaps(screen.get(), LOGPIXELSY));
    }
    gdi::OwnedDC dc(CreateDCA("WINSPOOL", printer, nullptr, nullptr));
    const int caps[] = {LOGPIXELSX, LOGPIXELSY, HORZRES, VERTRES, PHYSICALOFFSETX, PHYSICALOFFSETY};
    const char* names[] = {"dpi_x", "dpi_y", "page_w", "page_h", "offset_x", "offset_y"};
    for (int i = 0; i < 6; ++i)
        std::fprintf(out, "printer.%s=%d\n", names[i], GetDeviceCaps(dc.get(), caps[i]));
    if (receipt) {
        gdi::WindowDC screen(nullptr);
        ReportFont(out, "heading", dc.get(), testpage::ReceiptHeadingFont(code, GetDeviceCaps(screen.get(), LOGPIXELSY)));
        ReportFont(out, "body", dc.get(), testpage::ReceiptBodyFont(code));
    } else {
        ReportFont(out, "page", dc.get(), testpage::FullPageFont(code));
    }
    std::fclose(out);

    ReleaseOffscreen();
    DestroyWindow(hwnd);
    return 0;
}

}  // namespace

// The companion library's version query, answering the code the test asked for.
DWORD WINAPI GetOperatingSystemVersionA(OSVERSION* version)
{
    *version = g_code;
    return 0;
}

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "install") == 0)
        return Install(argv[2], argv[3], argv[4]);
    if (argc == 7 && std::strcmp(argv[1], "print") == 0) {
        const bool receipt = std::strcmp(argv[2], "receipt") == 0;
        return Print(receipt, std::strtoul(argv[3], nullptr, 10), static_cast<OSVERSION>(std::strtoul(argv[4], nullptr, 10)),
                     argv[5], argv[6]);
    }
    std::fprintf(stderr, "usage: print_probe install <printer> <driver> <ppd>\n"
                         "       print_probe print full|receipt <model> <code> <printer> <report>\n");
    return 2;
}
