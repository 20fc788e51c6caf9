// The one record that carries the user's choices from the configuration page into
// the installation and the outcome on to the conclusion page. Zero at start, never reset.
#pragma once

#include <windows.h>

inline constexpr int kPrinterNameMaxChars = 30;   // the name edit's limit
inline constexpr int kPortNameMaxChars = 49;      // ports are read with a 50-character limit
inline constexpr int kSummaryChars = 50;

struct InstallState {
    char szPrinter[kPrinterNameMaxChars + 1];
    char szPort[260];
    BYTE bMakeDefault;
    BYTE bPrintTestPage;
    BYTE bInstalled;
    char szSummaryPrinter[kSummaryChars];
    char szSummaryModel[kSummaryChars];
    // Room for the longest port name, so the conclusion page never cuts one.
    char szSummaryPort[kPortNameMaxChars + 1];
};

extern InstallState g_installState;
