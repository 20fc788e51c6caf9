#include "corvane/system_version.h"

namespace corvane {
namespace {

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);

template <typename Function>
Function LookUp(const char* module, const char* name)
{
    const HMODULE handle = GetModuleHandleA(module);
    if (handle == nullptr)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

// ntdll answers with the true version on the NT family, whatever the process's
// compatibility settings make GetVersionEx say. The 95 family has no RtlGetVersion.
bool QueryNtdll(SystemVersion& out)
{
    const auto rtlGetVersion = LookUp<RtlGetVersionFn>("ntdll.dll", "RtlGetVersion");
    if (rtlGetVersion == nullptr)
        return false;
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (rtlGetVersion(&info) != 0)
        return false;
    out.major = info.dwMajorVersion;
    out.minor = info.dwMinorVersion;
    out.platform = info.dwPlatformId;
    out.productType = info.wProductType;
    return true;
}

// Windows 95 and NT 4.0 before SP6 reject the EX size: retry with the plain one
// (the product type then stays unknown).
bool QueryVersionEx(SystemVersion& out)
{
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
        info = OSVERSIONINFOEXA{};
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)))
            return false;
    }
    out.major = info.dwMajorVersion;
    out.minor = info.dwMinorVersion;
    out.platform = info.dwPlatformId;
    out.productType = info.wProductType;
    return true;
}

bool IsWow64()
{
    const auto isWow64Process = LookUp<IsWow64ProcessFn>("kernel32.dll", "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64Process != nullptr && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace

SystemVersion QueryRunningSystem()
{
    SystemVersion version;
    if (!QueryNtdll(version) && !QueryVersionEx(version))
        return SystemVersion{};
    version.is64 = IsWow64();
    return version;
}

}  // namespace corvane
