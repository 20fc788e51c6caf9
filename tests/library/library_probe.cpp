// Runs one case against the real Corvane.dll (loaded from beside this program) under
// Wine and checks what the spooler shows afterwards. Every failed check prints a
// "FAIL:" line; the exit code is 1 then, 0 when every check held.
// Usage: library_probe <case> [arguments]   (the cases are listed in main)
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/bounded_string.h"
#include "install/corvane_api.h"

namespace {

// ---- Checks -----------------------------------------------------------------------

int g_failures = 0;

void Check(bool holds, const std::string& what)
{
    if (!holds) {
        ++g_failures;
        std::printf("FAIL: %s\n", what.c_str());
    }
}

void CheckResult(DWORD actual, DWORD expected, const std::string& what)
{
    char line[400];
    text::Format(line, "%s: returned %lu (0x%08lX), expected %lu (0x%08lX)", what.c_str(), actual, actual,
                 expected, expected);
    Check(actual == expected, line);
}

// ---- The spooler's and the file system's view -------------------------------------

std::string Text(const char* value)
{
    return value != nullptr ? value : "";
}

bool EndsWith(const std::string& value, const std::string& tail)
{
    return value.size() >= tail.size() &&
           lstrcmpiA(value.c_str() + value.size() - tail.size(), tail.c_str()) == 0;
}

struct Printer {
    std::string name, port, driver, share;
    DWORD attributes = 0;
};

std::vector<Printer> ListPrinters()
{
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed + 1);
    std::vector<Printer> printers;
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count))
        return printers;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        printers.push_back({Text(info[i].pPrinterName), Text(info[i].pPortName), Text(info[i].pDriverName),
                            Text(info[i].pShareName), info[i].Attributes});
    }
    return printers;
}

const Printer* FindPrinter(const std::vector<Printer>& printers, const std::string& name)
{
    for (const Printer& printer : printers) {
        if (printer.name == name)
            return &printer;
    }
    return nullptr;
}

struct Driver {
    std::string name, driverPath, dataFile, configFile, helpFile, dependentFiles;
    DWORD version = 0;
};

// environment nullptr: the running system's own.
std::vector<Driver> ListDrivers(const char* environment)
{
    DWORD needed = 0;
    DWORD count = 0;
    char* env = const_cast<char*>(environment);
    EnumPrinterDriversA(nullptr, env, 3, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed + 1);
    std::vector<Driver> drivers;
    if (!EnumPrinterDriversA(nullptr, env, 3, buffer.data(), needed, &needed, &count))
        return drivers;
    const auto* info = reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        Driver driver{Text(info[i].pName), Text(info[i].pDriverPath), Text(info[i].pDataFile),
                      Text(info[i].pConfigFile), Text(info[i].pHelpFile), "", info[i].cVersion};
        for (const char* file = info[i].pDependentFiles; file != nullptr && *file != '\0';
             file += std::strlen(file) + 1)
            driver.dependentFiles += std::string(file) + ";";
        drivers.push_back(driver);
    }
    return drivers;
}

const Driver* FindDriver(const std::vector<Driver>& drivers, const std::string& name)
{
    for (const Driver& driver : drivers) {
        if (driver.name == name)
            return &driver;
    }
    return nullptr;
}

std::string DriverDirectory(const char* environment)
{
    char directory[MAX_PATH] = {};
    DWORD needed = 0;
    GetPrinterDriverDirectoryA(nullptr, const_cast<char*>(environment), 1, reinterpret_cast<BYTE*>(directory),
                               sizeof directory, &needed);
    return directory;
}

std::vector<std::string> ListFiles(const std::string& directory)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE find = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string ReadWholeFile(const std::string& path)
{
    std::string bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char chunk[4096];
        std::size_t got = 0;
        while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            bytes.append(chunk, got);
        std::fclose(file);
    }
    return bytes;
}

// Everything a library call could change: printers, drivers of both environments and
// the files of both driver directories with their version folders.
std::string Snapshot()
{
    std::string all;
    for (const Printer& p : ListPrinters())
        all += "printer " + p.name + "|" + p.port + "|" + p.driver + "|" + p.share + "|" +
               std::to_string(p.attributes) + "\n";
    for (const char* environment : {static_cast<const char*>(nullptr), "Windows 4.0"}) {
        for (const Driver& d : ListDrivers(environment))
            all += "driver " + d.name + "|" + d.driverPath + "|" + d.dataFile + "\n";
        const std::string directory = DriverDirectory(environment);
        for (const std::string& folder : {directory, directory + "\\0", directory + "\\2", directory + "\\3"}) {
            for (const std::string& name : ListFiles(folder))
                all += "file " + folder + "\\" + name + "\n";
        }
    }
    return all;
}

void CheckUnchanged(const std::string& before, const std::string& what)
{
    const std::string after = Snapshot();
    Check(after == before, what + ": the system changed\n--- before\n" + before + "--- after\n" + after);
}

// A medium for one case: the named files of the full medium, copied into a folder.
std::string MakeMedium(const std::string& full, const std::string& folder, const std::vector<std::string>& files)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const std::string& file : files)
        Check(CopyFileA((full + "\\" + file).c_str(), (folder + "\\" + file).c_str(), FALSE) != FALSE,
              "copy " + file + " into " + folder);
    return folder;
}

// ---- Records as the program fills them ---------------------------------------------

constexpr char kDriverName[] = "Kyv QL 620";

_PRINTERINFO_NTA NtRecord(const std::string& printer, const std::string& medium, DWORD attributes)
{
    _PRINTERINFO_NTA record{};
    text::Copy(record.szPrinterName, printer.c_str());
    text::Copy(record.szDriverName, kDriverName);
    text::Copy(record.szManufacturer, "Kyv");
    text::Copy(record.szPortName, "LPT1:");
    text::Copy(record.szPrintProcessor, "WinPrint");
    text::Copy(record.szSourcePath, medium.c_str());
    text::Copy(record.szDriverFile, "UNIDRV.DLL");
    text::Copy(record.szHelpFile, "UNIDRV.HLP");
    record.pszDependencyFile = "QL22.dll";
    record.pszManufacturer = "Kyv";
    record.pszWebSite = "http://www.kyv.example/";
    text::Copy(record.szConfigFile, "UNIDRVUI.DLL");
    text::Copy(record.szDataFile, "QL620.GPD");
    record.dwAttributes = attributes;
    return record;
}

// The catalogue's 95 rows name no driver file: the universal driver is used.
_PRINTERINFO_95 Record95(const std::string& printer, const std::string& share, const std::string& medium,
                         DWORD attributes)
{
    _PRINTERINFO_95 record{};
    text::Copy(record.szPrinterName, printer.c_str());
    text::Copy(record.szDriverName, kDriverName);
    text::Copy(record.szShareName, share.c_str());
    text::Copy(record.szPortName, "LPT1:");
    text::Copy(record.szPrintProcessor, "WinPrint");
    text::Copy(record.szSourcePath, medium.c_str());
    text::Copy(record.szHelpFile, "UNIDRV.HLP");
    record.pszDependencyFile = "ICONLIB.dll";
    record.dwAttributes = attributes;
    return record;
}

void CheckPrinter(const std::string& name, const std::string& share, DWORD attributes)
{
    const std::vector<Printer> printers = ListPrinters();
    const Printer* printer = FindPrinter(printers, name);
    Check(printer != nullptr, "printer " + name + " is listed");
    if (printer == nullptr)
        return;
    Check(printer->port == "LPT1:", name + ": port " + printer->port);
    Check(printer->driver == kDriverName, name + ": driver " + printer->driver);
    Check(printer->share == share, name + ": share name '" + printer->share + "'");
    Check(printer->attributes == attributes, name + ": attributes " + std::to_string(printer->attributes));
}

void CheckNoPrinter(const std::string& name)
{
    Check(FindPrinter(ListPrinters(), name) == nullptr, "printer " + name + " is not listed");
}

// The driver's files as the spooler lists them, in the version folder it keeps them in.
void CheckDriver(const char* environment, const std::string& versionFolder, const std::string& dataFile,
                 const std::string& config, const std::string& dependency)
{
    const std::string where = environment != nullptr ? environment : "native environment";
    const std::vector<Driver> drivers = ListDrivers(environment);
    const Driver* driver = FindDriver(drivers, kDriverName);
    Check(driver != nullptr, std::string(kDriverName) + " is installed for the " + where);
    if (driver == nullptr)
        return;
    const std::string folder = "\\" + versionFolder + "\\";
    Check(EndsWith(driver->driverPath, folder + "UNIDRV.DLL"), where + ": driver path " + driver->driverPath);
    Check(EndsWith(driver->dataFile, folder + dataFile), where + ": data file " + driver->dataFile);
    Check(EndsWith(driver->configFile, folder + config), where + ": config file " + driver->configFile);
    Check(EndsWith(driver->helpFile, folder + "UNIDRV.HLP"), where + ": help file " + driver->helpFile);
    Check(driver->dependentFiles.find(dependency) != std::string::npos,
          where + ": dependent files " + driver->dependentFiles);
}

void CheckInstalledFiles(const std::string& folder, const std::string& medium,
                         const std::vector<std::string>& fromMedium, const std::vector<std::string>& system)
{
    for (const std::string& file : fromMedium) {
        const std::string installed = folder + "\\" + file;
        Check(FileExists(installed), installed + " exists");
        Check(ReadWholeFile(installed) == ReadWholeFile(medium + "\\" + file), installed + " holds the medium's file");
    }
    for (const std::string& file : system)
        Check(FileExists(folder + "\\" + file), folder + "\\" + file + " exists");
}

// Windows' spooler takes a driver's files from the driver directory, so system files
// found only in the version folder are staged there again. (Wine's spooler would
// find them in its version folder anyway; only the staged copy shows the step.)
void CheckStaged(const std::string& directory, const std::vector<std::string>& files)
{
    for (const std::string& file : files)
        Check(FileExists(directory + "\\" + file), directory + "\\" + file + " is staged");
}

// ---- Cases --------------------------------------------------------------------------

// version <code> <result>: what GetOperatingSystemVersionA reports under the emulated system.
void CaseVersion(int argc, char** argv)
{
    if (argc < 4) {
        Check(false, "usage: version <code> <result>");
        return;
    }
    const auto code = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 0));
    const auto expected = static_cast<DWORD>(std::strtoul(argv[3], nullptr, 0));
    OSVERSION version = static_cast<OSVERSION>(0xFF);
    CheckResult(GetOperatingSystemVersionA(&version), expected, "GetOperatingSystemVersionA");
    CheckResult(version, code, "the system code");
    CheckResult(GetOperatingSystemVersionA(nullptr), ERROR_INVALID_PARAMETER, "GetOperatingSystemVersionA(NULL)");
}

// Two printers on one driver, the second the default one; the system's files come
// from the driver directory, the rest from the medium. Wine lists the attributes
// exactly as AddPrinterA got them; Windows documents the DEFAULT bit for the 95
// family, where it makes the printer the default one.
void CaseNtInstall(const std::string& medium)
{
    _PRINTERINFO_NTA front = NtRecord("Library Front Desk", medium, 0x40);
    _PRINTERINFO_NTA back = NtRecord("Library Back Office", medium, 0x44);
    CheckResult(InstallPrinterDriverA(&front), 0, "install Library Front Desk");
    CheckResult(InstallPrinterDriverA(&back), 0, "install Library Back Office");
    CheckPrinter("Library Front Desk", "", 0x40);
    CheckPrinter("Library Back Office", "", 0x44);
    CheckDriver(nullptr, "3", "QL620.GPD", "UNIDRVUI.DLL", "QL22.dll");
    CheckInstalledFiles(DriverDirectory(nullptr) + "\\3", medium, {"QL620.GPD", "QL22.dll"},
                        {"UNIDRV.DLL", "UNIDRVUI.DLL", "UNIDRV.HLP"});
    CheckStaged(DriverDirectory(nullptr), {"UNIDRV.DLL", "UNIDRVUI.DLL"});
}

// The printer name is checked before anything is added: not even another driver.
// Windows' AddPrinterA refuses a taken name (1802); Wine 8's accepts it and rewrites
// the printer, so under Wine only the library's own check keeps the system unchanged.
void CaseNtAgain(const std::string& medium)
{
    _PRINTERINFO_NTA first = NtRecord("Library Front Desk", medium, 0x40);
    CheckResult(InstallPrinterDriverA(&first), 0, "first installation");
    const std::string before = Snapshot();
    CheckResult(InstallPrinterDriverA(&first), CORVANE_ALREADY_INSTALLED, "the same record again");
    _PRINTERINFO_NTA other = NtRecord("Library Front Desk", medium, 0x44);
    text::Copy(other.szDriverName, "Kyv QL 999");
    CheckResult(InstallPrinterDriverA(&other), CORVANE_ALREADY_INSTALLED, "the same name with another driver");
    CheckUnchanged(before, "after the repeated installations");
}

// A file neither on the medium nor on the system: nothing is copied or added.
void CaseNtMissingFile(const std::string& medium)
{
    const std::string withoutGpd = MakeMedium(medium, "C:\\medium-without-gpd", {"QL22.dll"});
    std::string before = Snapshot();
    _PRINTERINFO_NTA record = NtRecord("Library Front Desk", withoutGpd, 0x40);
    CheckResult(InstallPrinterDriverA(&record), ERROR_FILE_NOT_FOUND, "medium without the GPD");
    CheckUnchanged(before, "medium without the GPD");

    // The configuration module is the system's: gone from the system, the medium
    // cannot stand in.
    const std::string systemFile = DriverDirectory(nullptr) + "\\3\\UNIDRVUI.DLL";
    Check(DeleteFileA(systemFile.c_str()) != FALSE, "remove " + systemFile);
    before = Snapshot();
    record = NtRecord("Library Front Desk", medium, 0x40);
    CheckResult(InstallPrinterDriverA(&record), ERROR_FILE_NOT_FOUND, "system without UNIDRVUI.DLL");
    CheckUnchanged(before, "system without UNIDRVUI.DLL");
    CheckNoPrinter("Library Front Desk");
}

struct NtBreak {
    const char* what;
    void (*breakIt)(_PRINTERINFO_NTA&);
};

struct Break95 {
    const char* what;
    void (*breakIt)(_PRINTERINFO_95&);
};

// Malformed records change nothing; the unbroken record then installs.
void CaseMalformed(const std::string& medium)
{
    const std::string before = Snapshot();
    const NtBreak ntBreaks[] = {
        {"printer name unterminated", [](_PRINTERINFO_NTA& r) { std::memset(r.szPrinterName, 'P', sizeof r.szPrinterName); }},
        {"source path unterminated", [](_PRINTERINFO_NTA& r) { std::memset(r.szSourcePath, 'S', sizeof r.szSourcePath); }},
        {"data file ..\\", [](_PRINTERINFO_NTA& r) { text::Copy(r.szDataFile, "..\\QL620.GPD"); }},
        {"dependency ..\\", [](_PRINTERINFO_NTA& r) { r.pszDependencyFile = "..\\medium\\QL22.dll"; }},
        {"unknown attribute bits", [](_PRINTERINFO_NTA& r) { r.dwAttributes = 0x48; }},
        {"high attribute bit", [](_PRINTERINFO_NTA& r) { r.dwAttributes = 0x80000040; }},
        {"empty printer name", [](_PRINTERINFO_NTA& r) { r.szPrinterName[0] = '\0'; }},
    };
    for (const NtBreak& b : ntBreaks) {
        _PRINTERINFO_NTA record = NtRecord("Library Front Desk", medium, 0x40);
        b.breakIt(record);
        CheckResult(InstallPrinterDriverA(&record), ERROR_INVALID_PARAMETER, std::string("NT record, ") + b.what);
    }
    const Break95 breaks95[] = {
        {"printer name fills its field", [](_PRINTERINFO_95& r) { std::memset(r.szPrinterName, 'P', sizeof r.szPrinterName); }},
        {"driver file ..\\", [](_PRINTERINFO_95& r) { text::Copy(r.szDriverFile, "..\\UNIDRV.DLL"); }},
        {"reserved byte set", [](_PRINTERINFO_95& r) { r.reserved[1] = 1; }},
        {"no attributes", [](_PRINTERINFO_95& r) { r.dwAttributes = 0; }},
        {"empty printer name", [](_PRINTERINFO_95& r) { r.szPrinterName[0] = '\0'; }},
    };
    for (const Break95& b : breaks95) {
        _PRINTERINFO_95 record = Record95("Library 95", "", medium, 0x40);
        b.breakIt(record);
        CheckResult(InstallPrinterDriverA(&record), ERROR_INVALID_PARAMETER, std::string("95 record, ") + b.what);
        CheckResult(AddPrinterToPrinterListA(&record), ERROR_INVALID_PARAMETER,
                    std::string("95 record added, ") + b.what);
    }
    CheckResult(InstallPrinterDriverA(static_cast<_PRINTERINFO_NTA*>(nullptr)), ERROR_INVALID_PARAMETER, "NULL NT record");
    CheckResult(InstallPrinterDriverA(static_cast<_PRINTERINFO_95*>(nullptr)), ERROR_INVALID_PARAMETER, "NULL 95 record");
    CheckResult(AddPrinterToPrinterListA(nullptr), ERROR_INVALID_PARAMETER, "NULL 95 record added");
    CheckUnchanged(before, "after the malformed records");

    _PRINTERINFO_NTA record = NtRecord("Library Front Desk", medium, 0x40);
    CheckResult(InstallPrinterDriverA(&record), 0, "the same record unbroken");
    CheckPrinter("Library Front Desk", "", 0x40);
}

// The 95 family: the first printer brings the driver; a second printer on the same
// driver gets 32 from the installation and is added by AddPrinterToPrinterListA.
// Windows uses a share name only with PRINTER_ATTRIBUTE_SHARED, which the records
// never carry; Wine stores and lists it anyway, and that is what is checked here.
// nativeToo: the spooler's own environment is not "Windows 4.0" (Wine emulating an
// NT system), so the driver must be there for it as well. Under its 95-family
// emulation Wine's spooler takes "Windows 4.0" as its own environment, as Windows 98
// does.
void Case95(const std::string& medium, bool nativeToo)
{
    _PRINTERINFO_95 first = Record95("Library 95 First", "QLFIRST", medium, 0x44);
    CheckResult(InstallPrinterDriverA(&first), 0, "install Library 95 First");
    CheckPrinter("Library 95 First", "QLFIRST", 0x44);
    CheckDriver("Windows 4.0", "0", "QL620.GPD", "UNIDRV.DLL", "ICONLIB.dll");
    CheckInstalledFiles(DriverDirectory("Windows 4.0") + "\\0", medium, {"QL620.GPD", "ICONLIB.dll"},
                        {"UNIDRV.DLL", "UNIDRV.HLP"});
    CheckStaged(DriverDirectory("Windows 4.0"), {"UNIDRV.DLL"});
    if (nativeToo)
        CheckDriver(nullptr, "3", "QL620.GPD", "UNIDRV.DLL", "ICONLIB.dll");

    _PRINTERINFO_95 second = Record95("Library 95 Second", "QLSECOND", medium, 0x40);
    CheckResult(InstallPrinterDriverA(&second), CORVANE_ADD_PRINTER_NEXT, "install Library 95 Second");
    CheckNoPrinter("Library 95 Second");
    CheckResult(AddPrinterToPrinterListA(&second), 0, "add Library 95 Second");
    CheckPrinter("Library 95 Second", "QLSECOND", 0x40);

    const std::string before = Snapshot();
    CheckResult(AddPrinterToPrinterListA(&second), CORVANE_ADD_PRINTER_NEXT, "add Library 95 Second again");
    CheckResult(AddPrinterToPrinterListA(&first), CORVANE_ADD_PRINTER_NEXT, "add Library 95 First again");
    CheckResult(InstallPrinterDriverA(&first), CORVANE_ADD_PRINTER_NEXT, "install Library 95 First again");
    CheckUnchanged(before, "after the repeated 95 calls");
}

// The 95 record's data file is the one GPD on the medium: none or two are errors.
void Case95GpdCount(const std::string& medium)
{
    const std::string none = MakeMedium(medium, "C:\\medium-no-gpd", {"ICONLIB.dll"});
    const std::string two = MakeMedium(medium, "C:\\medium-two-gpd", {"ICONLIB.dll", "QL620.GPD"});
    Check(CopyFileA((medium + "\\QL620.GPD").c_str(), (two + "\\QL621.gpd").c_str(), FALSE) != FALSE,
          "second GPD");
    const std::string before = Snapshot();
    for (const std::string& folder : {none, two}) {
        _PRINTERINFO_95 record = Record95("Library 95 First", "", folder, 0x40);
        CheckResult(InstallPrinterDriverA(&record), ERROR_FILE_NOT_FOUND, "95 medium " + folder);
    }
    CheckUnchanged(before, "after the media without a single GPD");
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string name = argc > 1 ? argv[1] : "";
    const std::string medium = argc > 2 ? argv[2] : "";
    if (name == "version")
        CaseVersion(argc, argv);
    else if (name == "nt_install")
        CaseNtInstall(medium);
    else if (name == "nt_again")
        CaseNtAgain(medium);
    else if (name == "nt_missing_file")
        CaseNtMissingFile(medium);
    else if (name == "malformed")
        CaseMalformed(medium);
    else if (name == "w95_install")
        Case95(medium, false);
    else if (name == "w95_nt_spooler")
        Case95(medium, true);
    else if (name == "w95_gpd_count")
        Case95GpdCount(medium);
    else
        Check(false, "unknown case '" + name + "'");
    std::printf("%s: %d failed check(s)\n", name.c_str(), g_failures);
    return g_failures == 0 ? 0 : 1;
}
