#include "corvane/installation.h"

#include "corvane/record_check.h"
#include "corvane/spooler.h"
#include "corvane/system_version.h"
#include "corvane/trace.h"

namespace corvane {
namespace {

// The 95 record may leave its driver file empty: the system's universal driver.
constexpr char kUniversalDriver[] = "UNIDRV.DLL";

constexpr const char* FaultText(RecordFault fault)
{
    switch (fault) {
    case RecordFault::None: return "valid";
    case RecordFault::Unterminated: return "not terminated";
    case RecordFault::Empty: return "empty";
    case RecordFault::NotPlainFileName: return "not a plain file name";
    case RecordFault::BadAttributes: return "not 0x40 or 0x44";
    case RecordFault::BadPointer: return "points to an unterminated string";
    case RecordFault::ReservedNotZero: return "not zero";
    }
    return "invalid";
}

template <typename Record>
bool IsAcceptable(const Record* record)
{
    if (record == nullptr) {
        Trace("no record");
        return false;
    }
    const RecordCheck check = CheckRecord(*record);
    if (check.fault == RecordFault::None)
        return true;
    Trace("record rejected: %s %s", check.field, FaultText(check.fault));
    return false;
}

OSVERSION RunningSystemCode()
{
    const SystemVersion version = QueryRunningSystem();
    const OSVERSION code = MapSystemVersion(version);
    Trace("system %lu.%lu platform %lu type %u wow64 %d -> %u", version.major, version.minor, version.platform,
          version.productType, version.is64 ? 1 : 0, static_cast<unsigned>(code));
    return code;
}

// NT 4.0 keeps its drivers as version 2; later systems as version 3.
DWORD NativeDriverVersion()
{
    return RunningSystemCode() == OS_WINNT40 ? 2 : 3;
}

const char* TextOrEmpty(const char* text)
{
    return text != nullptr ? text : "";
}

// The 95 record's driver goes to "Windows 4.0". An NT spooler adds a printer only
// with a driver of its own environment, so when that is another one (the driver
// directories differ) the same driver is installed there as well. Wine is such a
// spooler, except under its 95-family emulation, where its own environment is
// "Windows 4.0" too.
struct Targets95 {
    DriverTarget targets[2];
    std::size_t count = 0;
};

DWORD OpenTargets95(Targets95& out)
{
    DWORD result = OpenDriverTarget(kEnvironment95, kDriverVersion95, out.targets[0]);
    if (result != ERROR_SUCCESS)
        return result;
    out.count = 1;
    DriverTarget& native = out.targets[1];
    result = OpenDriverTarget(nullptr, NativeDriverVersion(), native);
    if (result != ERROR_SUCCESS)
        return result;
    if (lstrcmpiA(native.directory, out.targets[0].directory) != 0)
        out.count = 2;
    return ERROR_SUCCESS;
}

DWORD IsInstalledEverywhere(const Targets95& targets, const char* driverName, bool& installed)
{
    installed = true;
    for (std::size_t i = 0; i < targets.count && installed; ++i) {
        const DWORD result = FindDriver(targets.targets[i], driverName, installed);
        if (result != ERROR_SUCCESS)
            return result;
    }
    return ERROR_SUCCESS;
}

DWORD InstallDriver95(const _PRINTERINFO_95& record, const Targets95& targets)
{
    PathBuffer gpd;
    DWORD result = FindSingleGpd(record.szSourcePath, gpd);
    if (result != ERROR_SUCCESS)
        return result;
    DriverFiles files;
    files.driver = record.szDriverFile[0] != '\0' ? record.szDriverFile : kUniversalDriver;
    files.config = files.driver;   // a 95-family driver is its own configuration module
    files.data = gpd;
    files.help = record.szHelpFile;
    files.dependency = TextOrEmpty(record.pszDependencyFile);

    // Every file of every environment is found before anything is copied.
    FilePlan plans[2];
    for (std::size_t i = 0; i < targets.count; ++i) {
        result = PlanDriverFiles(record.szSourcePath, files, targets.targets[i], plans[i]);
        if (result != ERROR_SUCCESS)
            return result;
    }
    for (std::size_t i = 0; i < targets.count; ++i) {
        result = StageDriverFiles(record.szSourcePath, plans[i], targets.targets[i]);
        if (result == ERROR_SUCCESS)
            result = AddDriver(record.szDriverName, files, targets.targets[i]);
        if (result != ERROR_SUCCESS)
            return result;
    }
    return ERROR_SUCCESS;
}

PrinterSettings SettingsOf(const _PRINTERINFO_95& record)
{
    PrinterSettings settings;
    settings.name = record.szPrinterName;
    settings.share = record.szShareName;
    settings.port = record.szPortName;
    settings.driver = record.szDriverName;
    settings.attributes = record.dwAttributes;
    return settings;
}

}  // namespace

DWORD ReportSystemVersion(OSVERSION* version)
{
    if (version == nullptr)
        return ERROR_INVALID_PARAMETER;
    *version = RunningSystemCode();
    return *version == OS_UNKNOWN ? CORVANE_OS_NOT_SUPPORTED : ERROR_SUCCESS;
}

DWORD InstallNt(const _PRINTERINFO_NTA* record)
{
    if (!IsAcceptable(record))
        return ERROR_INVALID_PARAMETER;
    DWORD result = CheckPrinterNameFree(record->szPrinterName);
    if (result != ERROR_SUCCESS)
        return result;
    DriverTarget target;
    result = OpenDriverTarget(nullptr, NativeDriverVersion(), target);
    if (result != ERROR_SUCCESS)
        return result;

    DriverFiles files;
    files.driver = record->szDriverFile;
    files.config = record->szConfigFile;
    files.data = record->szDataFile;
    files.help = record->szHelpFile;
    files.dependency = TextOrEmpty(record->pszDependencyFile);
    FilePlan plan;
    result = PlanDriverFiles(record->szSourcePath, files, target, plan);
    if (result == ERROR_SUCCESS)
        result = StageDriverFiles(record->szSourcePath, plan, target);
    if (result == ERROR_SUCCESS)
        result = AddDriver(record->szDriverName, files, target);
    if (result != ERROR_SUCCESS)
        return result;

    PrinterSettings settings;
    settings.name = record->szPrinterName;
    settings.port = record->szPortName;
    settings.driver = record->szDriverName;
    settings.attributes = record->dwAttributes;
    return AddSpoolerPrinter(settings);
}

DWORD Install95(const _PRINTERINFO_95* record)
{
    if (!IsAcceptable(record))
        return ERROR_INVALID_PARAMETER;
    Targets95 targets;
    DWORD result = OpenTargets95(targets);
    if (result != ERROR_SUCCESS)
        return result;
    bool installed = false;
    result = IsInstalledEverywhere(targets, record->szDriverName, installed);
    if (result != ERROR_SUCCESS)
        return result;
    if (installed) {
        Trace("driver already installed: %s", record->szDriverName);
        return CORVANE_ADD_PRINTER_NEXT;
    }
    result = CheckPrinterNameFree(record->szPrinterName);
    if (result == ERROR_SUCCESS)
        result = InstallDriver95(*record, targets);
    if (result != ERROR_SUCCESS)
        return result;
    return AddSpoolerPrinter(SettingsOf(*record));
}

DWORD AddPrinter95(const _PRINTERINFO_95* record)
{
    if (!IsAcceptable(record))
        return ERROR_INVALID_PARAMETER;
    DWORD result = CheckPrinterNameFree(record->szPrinterName);
    if (result == ERROR_SUCCESS)
        result = AddSpoolerPrinter(SettingsOf(*record));
    // For this function an existing printer is the "already there" answer, 32.
    return result == CORVANE_ALREADY_INSTALLED ? CORVANE_ADD_PRINTER_NEXT : result;
}

}  // namespace corvane
