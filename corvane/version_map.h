// The system code of a Windows version: a pure mapping, reached directly by the
// unit tests. Querying the running system lives in system_version.h.
#pragma once

#include <windows.h>

#include "install/corvane_api.h"

namespace corvane {

struct SystemVersion {
    DWORD major = 0;
    DWORD minor = 0;
    DWORD platform = 0;      // VER_PLATFORM_WIN32_WINDOWS or VER_PLATFORM_WIN32_NT
    BYTE productType = 0;    // VER_NT_WORKSTATION, VER_NT_SERVER, ...; 0 when unknown
    bool is64 = false;       // a 32-bit process on 64-bit Windows
};

// OS_UNKNOWN for every version the product does not support.
OSVERSION MapSystemVersion(const SystemVersion& version);

}  // namespace corvane
