// The printed test pages: the full page and the narrow receipt page.
#pragma once

#include <windows.h>

#include "install/corvane_api.h"

// Print one page on the printer just installed (InstallState's szPrinter).
// The caller does not use the result.
DWORD PrintTestPage(DWORD nModel, const OSVERSION* pOsVersion, const char* pszPrinterName);
DWORD PrintReceiptTestPage(DWORD nModel, const OSVERSION* pOsVersion, const char* pszPrinterName);
