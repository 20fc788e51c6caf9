// Valid printer records as the program fills them, for the validator's tests.
#pragma once

#include <cstring>

#include "app/bounded_string.h"
#include "install/corvane_api.h"

namespace library_test {

inline _PRINTERINFO_NTA ValidNtRecord()
{
    _PRINTERINFO_NTA record{};
    text::Copy(record.szPrinterName, "Kyv QL 620");
    text::Copy(record.szDriverName, "Kyv QL 620");
    text::Copy(record.szManufacturer, "Kyv");
    text::Copy(record.szPortName, "LPT1:");
    text::Copy(record.szPrintProcessor, "WinPrint");
    text::Copy(record.szSourcePath, "D:\\DRIVERS\\NT");
    text::Copy(record.szDriverFile, "UNIDRV.DLL");
    text::Copy(record.szHelpFile, "UNIDRV.HLP");
    record.pszDependencyFile = "QL22.dll";
    record.pszManufacturer = "Kyv";
    record.pszWebSite = "http://www.kyv.example/";
    text::Copy(record.szConfigFile, "UNIDRVUI.DLL");
    text::Copy(record.szDataFile, "QL620.GPD");
    record.dwAttributes = CORVANE_ATTRIBUTE_LOCAL;
    return record;
}

// As the catalogue fills it: no 95 driver file of its own.
inline _PRINTERINFO_95 Valid95Record()
{
    _PRINTERINFO_95 record{};
    text::Copy(record.szPrinterName, "Kyv QL 620");
    text::Copy(record.szDriverName, "Kyv QL 620");
    text::Copy(record.szShareName, "");
    text::Copy(record.szPortName, "LPT1:");
    text::Copy(record.szPrintProcessor, "WinPrint");
    text::Copy(record.szSourcePath, "D:\\DRIVERS\\WIN9X");
    text::Copy(record.szDriverFile, "");
    text::Copy(record.szHelpFile, "UNIDRV.HLP");
    record.pszDependencyFile = "ICONLIB.dll";
    record.dwAttributes = CORVANE_ATTRIBUTE_LOCAL | CORVANE_ATTRIBUTE_DEFAULT;
    return record;
}

// Every byte of the field set: no terminator anywhere inside it.
template <std::size_t N>
void FillWithoutTerminator(char (&field)[N])
{
    std::memset(field, 'A', N);
}

}  // namespace library_test
