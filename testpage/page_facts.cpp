#include "testpage/page_facts.h"

#include <winspool.h>

namespace testpage {

void GatherFacts(PageFacts& facts, const char* printerName, const char* port)
{
    facts = PageFacts{};

    SYSTEMTIME now{};
    GetLocalTime(&now);
    FormatTimeStamp(now, facts.szTimeStamp);

    DWORD size = kComputerNameChars;
    if (!GetComputerNameA(facts.szComputerName, &size))
        facts.szComputerName[0] = '\0';

    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(facts.szDriverDirectory),
                                    kDriverDirectoryBytes, &needed))
        facts.szDriverDirectory[0] = '\0';
    // Both calls terminate on success; a short read must not leave the end open.
    facts.szComputerName[kComputerNameChars - 1] = '\0';
    facts.szDriverDirectory[kDriverDirectoryBytes - 1] = '\0';

    // GetOSName writes nothing for an unknown or unsupported system: the display
    // name then stays empty. The short name is not printed.
    char shortName[CORVANE_PATH_CHARS] = {};
    GetOSName(shortName, facts.szOsDisplayName);

    facts.pszPrinterName = printerName ? printerName : "";
    facts.pszPort = port ? port : "";
}

}  // namespace testpage
