// The contract with the companion library Corvane.dll: the system code, the two
// printer records and the four functions. A library built from this header alone
// (with CORVANE_BUILDING_LIBRARY defined) links with Corvane.exe and works with it.
//
// The functions have C++ linkage on purpose: InstallPrinterDriverA exists once for
// each record type, and the program imports them by their decorated names.
#pragma once

#include <windows.h>

#include <cstddef>

#if defined(CORVANE_BUILDING_LIBRARY)
#define CORVANE_API __declspec(dllexport)
#else
#define CORVANE_API
#endif

// The running system, as the library reports it.
enum OSVERSION : DWORD {
    OS_UNKNOWN = 0,
    OS_WIN95 = 1,
    OS_WIN98 = 2,
    OS_WINME = 3,
    OS_WINNT40 = 4,
    OS_WIN2000 = 5,
    OS_WIN2003 = 6,
    OS_WINXP = 7,
    OS_WINXPX64 = 8,
    OS_WINVISTA = 9,
    OS_WIN7 = 10,
    OS_WIN7X64 = 11,
    OS_WIN8 = 12,
    OS_WIN8X64 = 13,
};

// Results besides 0 and the Win32 error codes.
inline constexpr DWORD CORVANE_OS_NOT_SUPPORTED = 0x20000002;
inline constexpr DWORD CORVANE_ALREADY_INSTALLED = 0x20000003;
// From InstallPrinterDriverA on the 95 record: the driver is there, the caller adds
// the printer with AddPrinterToPrinterListA; as a final result: already installed.
inline constexpr DWORD CORVANE_ADD_PRINTER_NEXT = 32;

inline constexpr DWORD CORVANE_ATTRIBUTE_DEFAULT = 0x00000004;   // PRINTER_ATTRIBUTE_DEFAULT
inline constexpr DWORD CORVANE_ATTRIBUTE_LOCAL = 0x00000040;     // PRINTER_ATTRIBUTE_LOCAL

inline constexpr std::size_t CORVANE_PATH_CHARS = 260;
inline constexpr std::size_t CORVANE_95_NAME_CHARS = 31;

// Record for the NT family (codes 4 to 13). Layout fixed to the byte.
struct _PRINTERINFO_NTA {
    char szPrinterName[CORVANE_PATH_CHARS];
    char szDriverName[CORVANE_PATH_CHARS];
    char szManufacturer[CORVANE_PATH_CHARS];
    char szPortName[CORVANE_PATH_CHARS];
    char szPrintProcessor[CORVANE_PATH_CHARS];
    char szSourcePath[CORVANE_PATH_CHARS];
    char szDriverFile[CORVANE_PATH_CHARS];
    char szHelpFile[CORVANE_PATH_CHARS];
    const char* pszDependencyFile;
    const char* pszManufacturer;
    const char* pszWebSite;
    char szConfigFile[CORVANE_PATH_CHARS];
    char szDataFile[CORVANE_PATH_CHARS];
    DWORD dwAttributes;
};

// Record for the 95 family (codes 1 to 3). Layout fixed to the byte.
struct _PRINTERINFO_95 {
    char szPrinterName[CORVANE_95_NAME_CHARS];
    char szDriverName[CORVANE_95_NAME_CHARS];
    char szShareName[CORVANE_PATH_CHARS];
    char szPortName[CORVANE_PATH_CHARS];
    char szPrintProcessor[CORVANE_PATH_CHARS];
    char szSourcePath[CORVANE_PATH_CHARS];
    char szDriverFile[CORVANE_PATH_CHARS];
    char szHelpFile[CORVANE_PATH_CHARS];
    BYTE reserved[2];  // always zero
    const char* pszDependencyFile;
    DWORD dwAttributes;
};

#if defined(_WIN32) && !defined(_WIN64)
// The library is a separate 32-bit module: these layouts are its ABI.
static_assert(sizeof(_PRINTERINFO_NTA) == 2616);
static_assert(offsetof(_PRINTERINFO_NTA, szPrinterName) == 0);
static_assert(offsetof(_PRINTERINFO_NTA, szDriverName) == 260);
static_assert(offsetof(_PRINTERINFO_NTA, szManufacturer) == 520);
static_assert(offsetof(_PRINTERINFO_NTA, szPortName) == 780);
static_assert(offsetof(_PRINTERINFO_NTA, szPrintProcessor) == 1040);
static_assert(offsetof(_PRINTERINFO_NTA, szSourcePath) == 1300);
static_assert(offsetof(_PRINTERINFO_NTA, szDriverFile) == 1560);
static_assert(offsetof(_PRINTERINFO_NTA, szHelpFile) == 1820);
static_assert(offsetof(_PRINTERINFO_NTA, pszDependencyFile) == 2080);
static_assert(offsetof(_PRINTERINFO_NTA, pszManufacturer) == 2084);
static_assert(offsetof(_PRINTERINFO_NTA, pszWebSite) == 2088);
static_assert(offsetof(_PRINTERINFO_NTA, szConfigFile) == 2092);
static_assert(offsetof(_PRINTERINFO_NTA, szDataFile) == 2352);
static_assert(offsetof(_PRINTERINFO_NTA, dwAttributes) == 2612);

static_assert(sizeof(_PRINTERINFO_95) == 1632);
static_assert(offsetof(_PRINTERINFO_95, szPrinterName) == 0);
static_assert(offsetof(_PRINTERINFO_95, szDriverName) == 31);
static_assert(offsetof(_PRINTERINFO_95, szShareName) == 62);
static_assert(offsetof(_PRINTERINFO_95, szPortName) == 322);
static_assert(offsetof(_PRINTERINFO_95, szPrintProcessor) == 582);
static_assert(offsetof(_PRINTERINFO_95, szSourcePath) == 842);
static_assert(offsetof(_PRINTERINFO_95, szDriverFile) == 1102);
static_assert(offsetof(_PRINTERINFO_95, szHelpFile) == 1362);
static_assert(offsetof(_PRINTERINFO_95, reserved) == 1622);
static_assert(offsetof(_PRINTERINFO_95, pszDependencyFile) == 1624);
static_assert(offsetof(_PRINTERINFO_95, dwAttributes) == 1628);
#endif

CORVANE_API DWORD WINAPI GetOperatingSystemVersionA(OSVERSION* version);
CORVANE_API DWORD WINAPI InstallPrinterDriverA(_PRINTERINFO_95* info);
CORVANE_API DWORD WINAPI AddPrinterToPrinterListA(_PRINTERINFO_95* info);
CORVANE_API DWORD WINAPI InstallPrinterDriverA(_PRINTERINFO_NTA* info);
