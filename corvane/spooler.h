// The library's steps on the spooler: owners for its handles, the driver
// directories, the driver files and the AddPrinterDriver / AddPrinter calls.
// Every function returns 0 or the library's result for the failure.
#pragma once

#include <windows.h>

#include <cstddef>

#include "corvane/file_names.h"

namespace corvane {

class PrinterHandle {
public:
    PrinterHandle() = default;
    explicit PrinterHandle(HANDLE handle) : handle_(handle) {}
    ~PrinterHandle();
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;

    HANDLE* Receive() { return &handle_; }   // for OpenPrinterA, on an empty owner only
    bool Empty() const { return handle_ == nullptr; }

private:
    HANDLE handle_ = nullptr;
};

// The 95 family's driver environment and its version subdirectory "0".
inline constexpr char kEnvironment95[] = "Windows 4.0";
inline constexpr DWORD kDriverVersion95 = 0;

// One environment a driver is installed for.
struct DriverTarget {
    const char* environment = nullptr;   // nullptr: the running system's own
    DWORD driverVersion = 0;             // DRIVER_INFO_3A::cVersion
    PathBuffer directory = {};           // where files are staged for the spooler
    PathBuffer versionDirectory = {};    // where the spooler keeps installed files
};

DWORD OpenDriverTarget(const char* environment, DWORD driverVersion, DriverTarget& target);

// 0 when no printer has this name, CORVANE_ALREADY_INSTALLED when one has.
DWORD CheckPrinterNameFree(const char* printerName);

DWORD FindDriver(const DriverTarget& target, const char* driverName, bool& installed);

// Plain file names; "" for an absent help file or dependency.
struct DriverFiles {
    const char* driver = "";
    const char* config = "";
    const char* data = "";
    const char* help = "";
    const char* dependency = "";
};

enum class FileOrigin {
    Medium,             // copied from the source path
    DriverDirectory,    // already staged
    VersionDirectory,   // an installed system file, staged again from there
};

struct PlannedFile {
    const char* name = "";
    FileOrigin origin = FileOrigin::Medium;
};

struct FilePlan {
    PlannedFile files[5];
    std::size_t count = 0;
};

// Finds where each file comes from and changes nothing: ERROR_FILE_NOT_FOUND when
// a file is neither on the medium nor on the system.
DWORD PlanDriverFiles(const char* sourcePath, const DriverFiles& files, const DriverTarget& target,
                      FilePlan& plan);
DWORD StageDriverFiles(const char* sourcePath, const FilePlan& plan, const DriverTarget& target);

// The one *.GPD on the medium, or ERROR_FILE_NOT_FOUND when there is none or more.
DWORD FindSingleGpd(const char* sourcePath, PathBuffer& name);

DWORD AddDriver(const char* driverName, const DriverFiles& files, const DriverTarget& target);

struct PrinterSettings {
    const char* name = "";
    const char* share = "";
    const char* port = "";
    const char* driver = "";
    DWORD attributes = 0;
};

DWORD AddSpoolerPrinter(const PrinterSettings& settings);

}  // namespace corvane
