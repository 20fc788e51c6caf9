// The running system's version as the library reports it.
#pragma once

#include "corvane/version_map.h"

namespace corvane {

// The real version, not the one a compatibility shim shows to GetVersionEx.
SystemVersion QueryRunningSystem();

}  // namespace corvane
