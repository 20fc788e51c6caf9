// What the library returns for a failed system call.
#pragma once

#include <windows.h>

namespace corvane {

// error is GetLastError() after the failure. Never 0: a failure that left no code
// becomes ERROR_GEN_FAILURE.
DWORD MapSpoolerError(DWORD error);

}  // namespace corvane
