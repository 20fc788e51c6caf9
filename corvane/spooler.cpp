#include "corvane/spooler.h"

#include <winspool.h>

#include "app/bounded_string.h"
#include "corvane/spooler_errors.h"
#include "corvane/trace.h"
#include "install/corvane_api.h"

namespace corvane {
namespace {

class LocalBuffer {
public:
    LocalBuffer() = default;
    ~LocalBuffer() { Release(); }
    LocalBuffer(const LocalBuffer&) = delete;
    LocalBuffer& operator=(const LocalBuffer&) = delete;

    bool Allocate(DWORD size)
    {
        Release();
        data_ = static_cast<BYTE*>(LocalAlloc(LMEM_FIXED, size == 0 ? 1 : size));
        size_ = data_ != nullptr ? size : 0;
        return data_ != nullptr;
    }
    BYTE* Data() const { return data_; }
    DWORD Size() const { return size_; }

private:
    void Release()
    {
        if (data_ != nullptr)
            LocalFree(data_);
        data_ = nullptr;
        size_ = 0;
    }

    BYTE* data_ = nullptr;
    DWORD size_ = 0;
};

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

constexpr char kPrintProcessor[] = "WinPrint";
constexpr char kDataType[] = "RAW";
constexpr int kEnumAttempts = 3;   // the list may grow between sizing and reading

DWORD LastError()
{
    return MapSpoolerError(GetLastError());
}

// The winspool API takes non-const strings it does not change.
char* Mutable(const char* text)
{
    return const_cast<char*>(text);
}

const char* EnvironmentName(const DriverTarget& target)
{
    return target.environment != nullptr ? target.environment : "native";
}

bool FileExists(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FileExistsIn(const char* directory, const char* name)
{
    PathBuffer path;
    return JoinPath(path, directory, name) && FileExists(path);
}

bool IsPlanned(const FilePlan& plan, const char* name)
{
    for (std::size_t i = 0; i < plan.count; ++i) {
        if (SameFileName(plan.files[i].name, name))
            return true;
    }
    return false;
}

DWORD LocateFile(const char* sourcePath, const char* name, const DriverTarget& target, PlannedFile& file)
{
    file.name = name;
    if (FileExistsIn(sourcePath, name)) {
        file.origin = FileOrigin::Medium;
    } else if (FileExistsIn(target.directory, name)) {
        file.origin = FileOrigin::DriverDirectory;
    } else if (FileExistsIn(target.versionDirectory, name)) {
        file.origin = FileOrigin::VersionDirectory;
    } else {
        Trace("missing %s", name);
        return ERROR_FILE_NOT_FOUND;
    }
    return ERROR_SUCCESS;
}

DWORD CopyInto(const char* fromDirectory, const char* name, const char* toDirectory)
{
    PathBuffer from;
    PathBuffer to;
    if (!JoinPath(from, fromDirectory, name) || !JoinPath(to, toDirectory, name))
        return ERROR_FILENAME_EXCED_RANGE;
    if (!CopyFileA(from, to, FALSE))
        return LastError();
    return ERROR_SUCCESS;
}

DWORD StageFile(const char* sourcePath, const PlannedFile& file, const DriverTarget& target)
{
    const char* step = "found";
    DWORD result = ERROR_SUCCESS;
    switch (file.origin) {
    case FileOrigin::Medium:
        step = "copied";
        result = CopyInto(sourcePath, file.name, target.directory);
        break;
    case FileOrigin::VersionDirectory:
        step = "staged";
        result = CopyInto(target.versionDirectory, file.name, target.directory);
        break;
    case FileOrigin::DriverDirectory:
        break;
    }
    if (result == ERROR_SUCCESS)
        Trace("%s %s", step, file.name);
    else
        Trace("copying %s failed: %lu", file.name, result);
    return result;
}

bool ReadDriverNames(const DriverTarget& target, LocalBuffer& buffer, DWORD& count, DWORD& error)
{
    DWORD needed = 0;
    for (int attempt = 0; attempt < kEnumAttempts; ++attempt) {
        if (EnumPrinterDriversA(nullptr, Mutable(target.environment), 1, buffer.Data(), buffer.Size(), &needed,
                                &count))
            return true;
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            error = LastError();
            return false;
        }
        if (!buffer.Allocate(needed)) {
            error = ERROR_NOT_ENOUGH_MEMORY;
            return false;
        }
    }
    error = ERROR_INSUFFICIENT_BUFFER;
    return false;
}

// AddPrinterDriverExA does not exist on the 95 family; there AddPrinterDriverA does
// what APD_COPY_NEW_FILES does, and importing the Ex form would keep the library
// from loading at all.
using AddPrinterDriverExFn = BOOL(WINAPI*)(LPSTR, DWORD, LPBYTE, DWORD);

BOOL CallAddPrinterDriver(DRIVER_INFO_3A& info)
{
    const HMODULE winspool = GetModuleHandleA("winspool.drv");
    const auto addEx = winspool == nullptr
                           ? nullptr
                           : reinterpret_cast<AddPrinterDriverExFn>(
                                 reinterpret_cast<void*>(GetProcAddress(winspool, "AddPrinterDriverExA")));
    if (addEx != nullptr)
        return addEx(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_NEW_FILES);
    return AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&info));
}

}  // namespace

PrinterHandle::~PrinterHandle()
{
    if (handle_ != nullptr)
        ClosePrinter(handle_);
}

DWORD OpenDriverTarget(const char* environment, DWORD driverVersion, DriverTarget& target)
{
    target.environment = environment;
    target.driverVersion = driverVersion;
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, Mutable(environment), 1, reinterpret_cast<BYTE*>(target.directory),
                                    sizeof target.directory, &needed))
        return LastError();
    char version[12];
    text::Format(version, "%lu", driverVersion);
    if (!JoinPath(target.versionDirectory, target.directory, version))
        return ERROR_FILENAME_EXCED_RANGE;
    Trace("driver directory (%s) %s", EnvironmentName(target), target.directory);
    return ERROR_SUCCESS;
}

DWORD CheckPrinterNameFree(const char* printerName)
{
    PrinterHandle printer;
    if (OpenPrinterA(Mutable(printerName), printer.Receive(), nullptr)) {
        Trace("printer exists: %s", printerName);
        return CORVANE_ALREADY_INSTALLED;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_INVALID_PRINTER_NAME || error == ERROR_INVALID_NAME)
        return ERROR_SUCCESS;
    return MapSpoolerError(error);
}

DWORD FindDriver(const DriverTarget& target, const char* driverName, bool& installed)
{
    installed = false;
    LocalBuffer buffer;
    DWORD count = 0;
    DWORD error = ERROR_SUCCESS;
    if (!ReadDriverNames(target, buffer, count, error))
        return error;
    const auto* drivers = reinterpret_cast<const DRIVER_INFO_1A*>(buffer.Data());
    for (DWORD i = 0; i < count; ++i) {
        if (drivers[i].pName != nullptr && lstrcmpiA(drivers[i].pName, driverName) == 0)
            installed = true;
    }
    return ERROR_SUCCESS;
}

DWORD PlanDriverFiles(const char* sourcePath, const DriverFiles& files, const DriverTarget& target,
                      FilePlan& plan)
{
    const char* const names[] = {files.driver, files.config, files.data, files.help, files.dependency};
    plan.count = 0;
    for (const char* name : names) {
        if (name[0] == '\0' || IsPlanned(plan, name))
            continue;
        const DWORD result = LocateFile(sourcePath, name, target, plan.files[plan.count]);
        if (result != ERROR_SUCCESS)
            return result;
        ++plan.count;
    }
    return ERROR_SUCCESS;
}

DWORD StageDriverFiles(const char* sourcePath, const FilePlan& plan, const DriverTarget& target)
{
    for (std::size_t i = 0; i < plan.count; ++i) {
        const DWORD result = StageFile(sourcePath, plan.files[i], target);
        if (result != ERROR_SUCCESS)
            return result;
    }
    return ERROR_SUCCESS;
}

DWORD FindSingleGpd(const char* sourcePath, PathBuffer& name)
{
    PathBuffer pattern;
    if (!JoinPath(pattern, sourcePath, "*.GPD"))
        return ERROR_FILENAME_EXCED_RANGE;
    WIN32_FIND_DATAA found{};
    const FindHandle find(FindFirstFileA(pattern, &found));
    int count = 0;
    if (find.Valid()) {
        do {
            // The pattern also matches longer extensions through their short names.
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && HasExtension(found.cFileName, ".GPD")) {
                ++count;
                text::Copy(name, found.cFileName);
            }
        } while (FindNextFileA(find.Get(), &found));
    }
    if (count != 1) {
        Trace("%d GPD files on the medium", count);
        name[0] = '\0';
        return ERROR_FILE_NOT_FOUND;
    }
    return ERROR_SUCCESS;
}

DWORD AddDriver(const char* driverName, const DriverFiles& files, const DriverTarget& target)
{
    PathBuffer driverPath;
    PathBuffer configPath;
    PathBuffer dataPath;
    PathBuffer helpPath;
    PathBuffer dependencyPath;
    if (!JoinPath(driverPath, target.directory, files.driver) ||
        !JoinPath(configPath, target.directory, files.config) ||
        !JoinPath(dataPath, target.directory, files.data) ||
        !JoinPath(helpPath, target.directory, files.help) ||
        !JoinPath(dependencyPath, target.directory, files.dependency))
        return ERROR_FILENAME_EXCED_RANGE;
    // A list of names, each terminated, ended by an empty one.
    char dependencies[MAX_PATH + 1] = {};
    text::Copy(dependencies, dependencyPath);

    DRIVER_INFO_3A info{};
    info.cVersion = target.driverVersion;
    info.pName = Mutable(driverName);
    info.pEnvironment = Mutable(target.environment);
    info.pDriverPath = driverPath;
    info.pDataFile = dataPath;
    info.pConfigFile = configPath;
    info.pHelpFile = files.help[0] != '\0' ? helpPath : nullptr;
    info.pDependentFiles = files.dependency[0] != '\0' ? dependencies : nullptr;
    info.pMonitorName = nullptr;
    info.pDefaultDataType = Mutable(kDataType);
    if (!CallAddPrinterDriver(info)) {
        const DWORD error = GetLastError();
        // The same driver again: what matters is that it is there.
        if (error != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
            return MapSpoolerError(error);
    }
    Trace("added driver %s (%s, version %lu)", driverName, EnvironmentName(target), target.driverVersion);
    return ERROR_SUCCESS;
}

DWORD AddSpoolerPrinter(const PrinterSettings& settings)
{
    PRINTER_INFO_2A info{};
    info.pPrinterName = Mutable(settings.name);
    info.pShareName = settings.share[0] != '\0' ? Mutable(settings.share) : nullptr;
    info.pPortName = Mutable(settings.port);
    info.pDriverName = Mutable(settings.driver);
    info.pPrintProcessor = Mutable(kPrintProcessor);
    info.pDatatype = Mutable(kDataType);
    info.Attributes = settings.attributes;
    const PrinterHandle printer(AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info)));
    if (printer.Empty())
        return LastError();
    Trace("added printer %s", settings.name);
    return ERROR_SUCCESS;
}

}  // namespace corvane
