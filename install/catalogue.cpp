#include "install/catalogue.h"

#include <cstring>

#include "app/bounded_string.h"
#include "install/trace.h"

namespace {

struct Nt40Rule {
    int pins;                // matches this pin count, or 0
    const char* modelName;   // matches this exact name, or nullptr
    const char* file;
};

constexpr Nt40Rule kNt40Rules[] = {
    {24, nullptr, "KYVDOT24.dll"},
    {9, nullptr, "KYVDOT9.dll"},
    {0, "Kyv PK 700", "PK700.dll"},
    {0, "Kyv PK 700 (ESC POS)", "PK700EPOS.dll"},
    {0, "Kyv RT 12", "RT12.dll"},
    {0, "Kyv MR LNO 5150", "MRLNO5150.DLL"},
    {0, "Kyv SW FAB 6620", "SWFAB6620.DLL"},
};

struct Nt5Dependency {
    const char* modelName;
    const char* file;
};

constexpr Nt5Dependency kNt5Dependencies[] = {
    {"Kyv QL 610", "QL21.dll"},
    {"Kyv QL 620", "QL22.dll"},
    {"Kyv QL 630", "QL22.dll"},
};

}  // namespace

const OsNames* FindOsNames(DWORD code)
{
    for (const OsNames& names : kOsNames)
        if (names.code == code)
            return &names;
    return nullptr;
}

OsFamily FamilyOf(DWORD code)
{
    const OsNames* names = FindOsNames(code);
    return names ? names->family : OsFamily::None;
}

const char* Nt40FamilyDriverFile(const MODELINFO& model)
{
    for (const Nt40Rule& rule : kNt40Rules) {
        const bool pinsMatch = rule.pins != 0 && model.nPins == rule.pins;
        // Whole names, byte for byte, case-sensitive.
        const bool nameMatch = rule.modelName && std::strcmp(model.szModelName, rule.modelName) == 0;
        if (pinsMatch || nameMatch)
            return rule.file;
    }
    return nullptr;
}

const char* Nt5DependencyFile(const char* modelName)
{
    for (const Nt5Dependency& entry : kNt5Dependencies)
        if (std::strcmp(modelName, entry.modelName) == 0)
            return entry.file;
    return nullptr;
}

DWORD GetOSName(char (&szShortName)[CORVANE_PATH_CHARS], char (&szDisplayName)[CORVANE_PATH_CHARS])
{
    trace::Emit("Enter : GetOSName");
    OSVERSION code = OS_UNKNOWN;
    if (GetOperatingSystemVersionA(&code) == CORVANE_OS_NOT_SUPPORTED)
        return CORVANE_OS_NOT_SUPPORTED;
    if (const OsNames* names = FindOsNames(code)) {
        text::Copy(szShortName, names->shortName);
        text::Copy(szDisplayName, names->displayName);
        trace::Emit(szDisplayName);
    }
    trace::Emit("Exit : GetOSName");
    return 0;
}
