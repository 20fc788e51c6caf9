/* A DLL with code and an import: the self-test of the medium's checks puts it where a
   resource-only DLL belongs, and the checks must reject it. */
#include <windows.h>

__attribute__((dllexport)) DWORD ImportProbeTicks(void)
{
    return GetTickCount();
}
