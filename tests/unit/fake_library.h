// A scripted stand-in for Corvane.dll's version query, for unit tests of the code
// that asks the library which system is running.
#pragma once

#include "install/corvane_api.h"

namespace fake {

struct VersionAnswer {
    DWORD result;
    OSVERSION code;
};

// What the next GetOperatingSystemVersionA calls answer, and how often they came.
void SetVersionAnswer(VersionAnswer answer);
int VersionQueries();

}  // namespace fake
