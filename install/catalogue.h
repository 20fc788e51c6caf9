// The printer models the wizard installs and the names of the systems it knows.
#pragma once

#include <windows.h>

#include <cstddef>

#include "install/corvane_api.h"

struct MODELINFO {
    char szModelName[CORVANE_PATH_CHARS];
    char szDriverFile95[CORVANE_PATH_CHARS];
    char szDependencyFile[CORVANE_PATH_CHARS];
    char szDataFile[CORVANE_PATH_CHARS];
    char szManufacturer[CORVANE_PATH_CHARS];
    int nPins;   // 24 or 9 for a dot-matrix model, else 0
};

inline constexpr std::size_t kModelCount = 3;

// A row's index is the model's place in the model list and its model number.
inline constexpr MODELINFO ModelTable[kModelCount] = {
    {"Kyv QL 610", "", "QL21.dll", "QL610.GPD", "Kyv", 0},
    {"Kyv QL 620", "", "QL22.dll", "QL620.GPD", "Kyv", 0},
    {"Kyv QL 630", "", "QL22.dll", "QL630.GPD", "Kyv", 0},
};

constexpr bool IsValidModel(int model) { return model >= 0 && model < static_cast<int>(kModelCount); }

enum class OsFamily { None, Win95, NT40, NT5 };

struct OsNames {
    DWORD code;
    const char* shortName;     // directory name on the installation medium
    const char* displayName;   // printed on the test page
    OsFamily family;
};

inline constexpr OsNames kOsNames[] = {
    {OS_WIN95, "Win95", "Windows 95", OsFamily::Win95},
    {OS_WIN98, "Win98", "Windows 98", OsFamily::Win95},
    {OS_WINME, "WinME", "Windows ME", OsFamily::Win95},
    {OS_WINNT40, "WinNT40", "Windows N.T 4.0", OsFamily::NT40},
    {OS_WIN2000, "Win2000", "Windows 2000", OsFamily::NT5},
    {OS_WIN2003, "Win2003", "Windows 2003", OsFamily::NT5},
    {OS_WINXP, "WinXP", "Windows XP", OsFamily::NT5},
    {OS_WINXPX64, "WinXPX64", "Windows XP X64", OsFamily::NT5},
    {OS_WINVISTA, "WinVista", "Windows Vista", OsFamily::NT5},
    {OS_WIN7, "Win7", "Windows 7", OsFamily::NT5},
    {OS_WIN7X64, "Win7X64", "Windows 7 X64", OsFamily::NT5},
    {OS_WIN8, "Win8", "Windows 8", OsFamily::NT5},
    {OS_WIN8X64, "Win8X64", "Windows 8 X64", OsFamily::NT5},
};

// The names of a code, or nullptr for a code without a row.
const OsNames* FindOsNames(DWORD code);
OsFamily FamilyOf(DWORD code);

// Driver files by family.
struct DriverFileSet {
    const char* driverFile;
    const char* configFile;
    const char* helpFile;
};
inline constexpr DriverFileSet kNt40Files{"RASDD.DLL", "RASDDUI.DLL", "RASDDUI.HLP"};
inline constexpr DriverFileSet kNt5Files{"UNIDRV.DLL", "UNIDRVUI.DLL", "UNIDRV.HLP"};
inline constexpr char kHelpFile95[] = "UNIDRV.HLP";
inline constexpr char kDependencyFile95[] = "ICONLIB.dll";
inline constexpr char kShareName95[] = "kyv";
inline constexpr char kPrintProcessor[] = "WinPrint";

// NT 4.0: the family driver that replaces the data file (and is the dependency file),
// first matching rule wins; nullptr when none matches.
const char* Nt40FamilyDriverFile(const MODELINFO& model);
// NT 5.0 and later: the dependency file chosen by model name, or nullptr.
const char* Nt5DependencyFile(const char* modelName);

// Short and display name of the running system, from the library. Both buffers are
// left as they were when the code has no names or the system is not supported.
DWORD GetOSName(char (&szShortName)[CORVANE_PATH_CHARS], char (&szDisplayName)[CORVANE_PATH_CHARS]);
