// The four functions of install/corvane_api.h. Each traces its entry and result;
// the work is in installation.cpp. No state survives a call.
#include "install/corvane_api.h"

#include "corvane/installation.h"
#include "corvane/trace.h"

DWORD WINAPI GetOperatingSystemVersionA(OSVERSION* version)
{
    corvane::Trace("Enter GetOperatingSystemVersionA");
    const DWORD result = corvane::ReportSystemVersion(version);
    corvane::Trace("Exit GetOperatingSystemVersionA %lu", result);
    return result;
}

DWORD WINAPI InstallPrinterDriverA(_PRINTERINFO_NTA* info)
{
    corvane::Trace("Enter InstallPrinterDriverA (NT)");
    const DWORD result = corvane::InstallNt(info);
    corvane::Trace("Exit InstallPrinterDriverA %lu", result);
    return result;
}

DWORD WINAPI InstallPrinterDriverA(_PRINTERINFO_95* info)
{
    corvane::Trace("Enter InstallPrinterDriverA (95)");
    const DWORD result = corvane::Install95(info);
    corvane::Trace("Exit InstallPrinterDriverA %lu", result);
    return result;
}

DWORD WINAPI AddPrinterToPrinterListA(_PRINTERINFO_95* info)
{
    corvane::Trace("Enter AddPrinterToPrinterListA");
    const DWORD result = corvane::AddPrinter95(info);
    corvane::Trace("Exit AddPrinterToPrinterListA %lu", result);
    return result;
}
