// What the four exported functions do, behind their traces.
#pragma once

#include "install/corvane_api.h"

namespace corvane {

DWORD ReportSystemVersion(OSVERSION* version);
DWORD InstallNt(const _PRINTERINFO_NTA* record);
DWORD Install95(const _PRINTERINFO_95* record);
DWORD AddPrinter95(const _PRINTERINFO_95* record);

}  // namespace corvane
