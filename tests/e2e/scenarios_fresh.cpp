// Scenarios that change the system: each runs in its own prefix copy and display
// (tests/e2e/run-fresh-scenario.sh), named fresh_*.
#include <string>
#include <vector>

#include <windows.h>
#include <winspool.h>

#include "app/bounded_string.h"
#include "install_flow.h"
#include "res/resource.h"
#include "scenario.h"

using namespace e2e;

namespace {

const std::string kInstalledText = "Printer driver installed successfully.";

struct InstalledPrinter {
    std::string name, port, driver;
    DWORD attributes = 0;
};

std::vector<InstalledPrinter> LocalPrinters()
{
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    std::vector<InstalledPrinter> printers;
    if (needed && EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count)) {
        const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
        for (DWORD i = 0; i < count; ++i)
            printers.push_back({info[i].pPrinterName ? info[i].pPrinterName : "",
                                info[i].pPortName ? info[i].pPortName : "",
                                info[i].pDriverName ? info[i].pDriverName : "", info[i].Attributes});
    }
    return printers;
}

std::string DriverDirectory()
{
    char directory[MAX_PATH] = "";
    DWORD needed = 0;
    GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(directory), sizeof directory, &needed);
    return directory;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int CountOccurrences(const std::string& text, const std::string& what)
{
    int count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++count;
    return count;
}

// A printer Wine can render for: its description is a PostScript one.
bool InstallPostScriptPrinter(Run& run, const char* printer, const char* portName)
{
    const std::string directory = DriverDirectory();
    const char* description = "kyv-a4-150.ppd";
    static bool copied = false;
    if (!copied && !run.checks.Expect(CopyFileA((std::string("C:\\fixtures\\") + description).c_str(),
                                     (directory + "\\" + description).c_str(), FALSE) != FALSE,
                           "fixture: cannot copy the PostScript description"))
        return false;
    copied = true;
    char driverName[] = "Kyv Test PostScript";
    char driverPath[] = "wineps.drv";
    char dataFile[64];
    text::Copy(dataFile, description);
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = driverName;
    driver.pDriverPath = driverPath;
    driver.pDataFile = dataFile;
    driver.pConfigFile = driverPath;
    static bool driverAdded = false;
    if (!driverAdded && !run.checks.Expect(AddPrinterDriverExA(nullptr, 3, reinterpret_cast<LPBYTE>(&driver), APD_COPY_ALL_FILES) != FALSE,
                           "fixture: AddPrinterDriverExA failed (%lu)", GetLastError()))
        return false;
    driverAdded = true;
    char name[64], port[16], processor[] = "WinPrint", datatype[] = "RAW";
    text::Copy(name, printer);
    text::Copy(port, portName);
    PRINTER_INFO_2A info{};
    info.pPrinterName = name;
    info.pPortName = port;
    info.pDriverName = driverName;
    info.pPrintProcessor = processor;
    info.pDatatype = datatype;
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE handle = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    if (!run.checks.Expect(handle != nullptr, "fixture: AddPrinterA failed (%lu)", GetLastError()))
        return false;
    ClosePrinter(handle);
    return true;
}

}  // namespace

SCENARIO(fresh_real_library_full_run)
{
    // A person's run with the real library: Next, Kyv QL 620, a name, LPT1:, default,
    // Install, Yes, OK, Later, Finish.
    Wizard wizard(kRealMediumExe, run.checks);
    HWND page = StartAtConfiguration(run, wizard);
    if (!page)
        return;
    ChooseModel(run, page, 1);
    TypeName(run, page, "Front Desk");
    ChoosePort(run, page, "LPT1:");
    SetCheck(run, page, IDC_CONFIG_DEFAULT_CHECK, true);
    ClickInstallAndConfirm(run, wizard, page, true);
    if (!ExpectBoxAndAnswer(run, wizard, {"Setwright", kInstalledText, IDI_INFORMATION}, page))
        return;
    LaterThenFinish(run, wizard);

    bool found = false;
    for (const InstalledPrinter& printer : LocalPrinters()) {
        if (printer.name != "Front Desk")
            continue;
        found = true;
        run.checks.Expect(printer.port == "LPT1:", "the printer's port is '%s'", printer.port.c_str());
        run.checks.Expect(printer.driver == "Kyv QL 620", "the printer's driver is '%s'", printer.driver.c_str());
        run.checks.Expect((printer.attributes & 0x44) == 0x44, "attributes %08lx lack local and default",
                          printer.attributes);
    }
    run.checks.Expect(found, "the spooler does not list Front Desk");
    char defaultPrinter[256] = "";
    DWORD size = sizeof defaultPrinter;
    GetDefaultPrinterA(defaultPrinter, &size);
    run.checks.Expect(std::string(defaultPrinter) == "Front Desk", "the default printer is '%s'", defaultPrinter);
    const std::string installed = DriverDirectory() + "\\3\\";
    for (const char* file : {"QL620.GPD", "QL22.dll"})
        run.checks.Expect(FileExists(installed + file), "%s is not in the driver directory", file);
}

SCENARIO(fresh_test_page_printed_once_after_success)
{
    // Each case prints (or not) to its own printer, whose port goes to its own file.
    struct Case {
        const char* name;
        const char* printer;
        const char* port;
        bool testPage;
        DWORD answer;
        int jobs;
    };
    const Case cases[] = {
        {"checked, installed", "Desk One", "LPT1:", true, 0, 1},
        {"unchecked, installed", "Desk Two", "LPT2:", false, 0, 0},
        {"checked, access denied", "Desk Three", "LPT3:", true, 5, 0},
    };
    for (const Case& c : cases) {
        run.checks.Note("%s", c.name);
        if (!InstallPostScriptPrinter(run, c.printer, c.port))
            return;
        const std::string job = run.outDir + "\\port" + std::string(1, c.port[3]) + ".ps";
        Wizard wizard(kDoubleMediumExe, run.checks);
        PrepareDouble(run, {0, 7, {c.answer}, {0}});
        HWND page = StartAtConfiguration(run, wizard);
        if (!page)
            return;
        TypeName(run, page, c.printer);
        SetCheck(run, page, IDC_CONFIG_TESTPAGE_CHECK, c.testPage);
        ClickInstallAndConfirm(run, wizard, page, true);
        HWND box = WaitForMessageBox(wizard.pid(), "Setwright", 8000);
        if (!run.checks.Expect(box != nullptr, "%s: no outcome box", c.name))
            return;
        // The page is printed after the success box, not before.
        Settle(300);
        run.checks.Expect(CountOccurrences(ReadFileShared(job), "%!PS-Adobe") == 0,
                          "%s: a job was printed before the box was answered", c.name);
        AnswerMessageBox(box, IDOK);
        HWND next = WaitForPageKind(wizard.pid(), c.answer == 0 ? PageKind::Registration : PageKind::Configuration, 20000);
        run.checks.Expect(next != nullptr, "%s: the wizard did not go on", c.name);
        // The spooler hands the job to the port on its own schedule.
        if (c.jobs > 0)
            WaitUntil([&] { return CountOccurrences(ReadFileShared(job), "%!PS-Adobe") >= c.jobs; }, 10000);
        Settle(500);
        const std::string printed = ReadFileShared(job);
        const int jobs = CountOccurrences(printed, "%!PS-Adobe");
        run.checks.Expect(jobs == c.jobs, "%s: %d jobs printed, expected %d", c.name, jobs, c.jobs);
        if (c.jobs == 1) {
            run.checks.Expect(CountOccurrences(printed, "%%Page:") == 1, "%s: the job has %d pages", c.name,
                              CountOccurrences(printed, "%%Page:"));
            run.checks.Expect(printed.find("%%Title: Kyv Printer Corvane") != std::string::npos,
                              "%s: the job is not the wizard's test page", c.name);
        }
        if (next && ClickGlyph(run, next, IDC_GLYPH_CLOSE))
            ConfirmQuitQuestion(run, wizard);
    }
}
