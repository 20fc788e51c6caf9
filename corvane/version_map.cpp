#include "corvane/version_map.h"

namespace corvane {
namespace {

struct VersionRow {
    DWORD platform;
    DWORD major;
    DWORD minor;
    OSVERSION code;
    OSVERSION code64;
};

// Versions whose code depends only on the number and the 64-bit flag. 5.2 and
// everything from 6.2 on are decided in MapSystemVersion.
constexpr VersionRow kVersions[] = {
    {VER_PLATFORM_WIN32_WINDOWS, 4, 0, OS_WIN95, OS_WIN95},
    {VER_PLATFORM_WIN32_WINDOWS, 4, 10, OS_WIN98, OS_WIN98},
    {VER_PLATFORM_WIN32_WINDOWS, 4, 90, OS_WINME, OS_WINME},
    {VER_PLATFORM_WIN32_NT, 4, 0, OS_WINNT40, OS_WINNT40},
    {VER_PLATFORM_WIN32_NT, 5, 0, OS_WIN2000, OS_WIN2000},
    {VER_PLATFORM_WIN32_NT, 5, 1, OS_WINXP, OS_WINXP},
    {VER_PLATFORM_WIN32_NT, 6, 0, OS_WINVISTA, OS_WINVISTA},
    {VER_PLATFORM_WIN32_NT, 6, 1, OS_WIN7, OS_WIN7X64},
};

constexpr bool IsEightOrLater(const SystemVersion& v)
{
    return v.major > 6 || (v.major == 6 && v.minor >= 2);
}

// 5.2 is Server 2003 or, as a workstation, XP x64. A 32-bit 5.2 workstation does
// not exist, so it stays unknown rather than being guessed.
constexpr OSVERSION MapFiveTwo(const SystemVersion& v)
{
    if (v.productType != VER_NT_WORKSTATION)
        return OS_WIN2003;
    return v.is64 ? OS_WINXPX64 : OS_UNKNOWN;
}

}  // namespace

OSVERSION MapSystemVersion(const SystemVersion& v)
{
    if (v.platform == VER_PLATFORM_WIN32_NT) {
        if (IsEightOrLater(v))
            return v.is64 ? OS_WIN8X64 : OS_WIN8;
        if (v.major == 5 && v.minor == 2)
            return MapFiveTwo(v);
    }
    for (const VersionRow& row : kVersions) {
        if (row.platform == v.platform && row.major == v.major && row.minor == v.minor)
            return v.is64 ? row.code64 : row.code;
    }
    return OS_UNKNOWN;
}

}  // namespace corvane
