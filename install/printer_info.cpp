#include "install/printer_info.h"

#include <windows.h>

#include <cstring>
#include <iterator>

#include "app/bounded_string.h"
#include "install/catalogue.h"
#include "install/install_state.h"
#include "install/maker.h"
#include "install/prompt.h"
#include "install/trace.h"

namespace {

constexpr char kNt40BoxCaption[] = "Printer Name";

// First token of the path split at '\', leading backslashes skipped: the drive
// ("D:") for a program on a drive, the server name for a network path.
void FirstPathComponent(const char* path, char (&component)[CORVANE_PATH_CHARS])
{
    while (*path == '\\')
        ++path;
    const char* end = std::strchr(path, '\\');
    const std::size_t length = end ? static_cast<std::size_t>(end - path) : std::strlen(path);
    const std::size_t kept = length < CORVANE_PATH_CHARS - 1 ? length : CORVANE_PATH_CHARS - 1;
    std::memcpy(component, path, kept);
    component[kept] = '\0';
}

void SourceDirectoryForModel(int model, char (&directory)[CORVANE_PATH_CHARS])
{
    // Empty to start with: when the library reports no short name on this query,
    // the directory still holds only defined characters.
    char shortName[CORVANE_PATH_CHARS] = "";
    char displayName[CORVANE_PATH_CHARS] = "";
    GetOSName(shortName, displayName);
    char modulePath[CORVANE_PATH_CHARS] = "";
    GetModuleFileNameA(nullptr, modulePath, static_cast<DWORD>(std::size(modulePath)));
    modulePath[CORVANE_PATH_CHARS - 1] = '\0';
    ComposeSourceDirectory(modulePath, ModelTable[model].szModelName, shortName, directory);
}

}  // namespace

void ComposeSourceDirectory(const char* modulePath, const char* modelName, const char* shortName,
                            char (&directory)[CORVANE_PATH_CHARS])
{
    char component[CORVANE_PATH_CHARS];
    FirstPathComponent(modulePath ? modulePath : "", component);
    text::Copy(directory, component);
    text::Append(directory, "\\Windows\\");
    text::Append(directory, modelName);
    text::Append(directory, "\\");
    text::Append(directory, shortName);
    text::Append(directory, "\\");
}

void GetPrinterInfo(int model, _PRINTERINFO_NTA* info, const OSVERSION* version)
{
    if (!info || !version || !IsValidModel(model))
        return;
    const MODELINFO& row = ModelTable[model];

    char sourceDirectory[CORVANE_PATH_CHARS];
    SourceDirectoryForModel(model, sourceDirectory);

    text::Copy(info->szPrinterName, row.szModelName);
    text::Copy(info->szDriverName, row.szModelName);
    text::Copy(info->szSourcePath, sourceDirectory);
    text::Copy(info->szDriverFile, kNt5Files.driverFile);
    text::Copy(info->szConfigFile, kNt5Files.configFile);
    text::Copy(info->szDataFile, row.szDataFile);
    text::Copy(info->szHelpFile, kNt5Files.helpFile);
    text::Copy(info->szPortName, g_installState.szPort);
    text::Copy(info->szPrintProcessor, kPrintProcessor);
    text::Copy(info->szManufacturer, row.szManufacturer);

    const OsFamily family = FamilyOf(*version);
    if (family == OsFamily::NT40) {
        text::Copy(info->szDriverFile, kNt40Files.driverFile);
        text::Copy(info->szConfigFile, kNt40Files.configFile);
        text::Copy(info->szHelpFile, kNt40Files.helpFile);
        g_pfnMessageBox(nullptr, row.szModelName, kNt40BoxCaption, MB_OK | MB_ICONEXCLAMATION);
        if (const char* familyDriver = Nt40FamilyDriverFile(row)) {
            text::Copy(info->szDataFile, familyDriver);
            info->pszDependencyFile = familyDriver;
        }
    } else if (family == OsFamily::NT5) {
        info->pszDependencyFile = Nt5DependencyFile(row.szModelName);
    }

    info->pszWebSite = kMakerHost;
    info->pszManufacturer = kMakerShortName;
    info->dwAttributes = CORVANE_ATTRIBUTE_LOCAL;
}

void GetPrinterInfo(int model, _PRINTERINFO_95* info)
{
    if (!info || !IsValidModel(model))
        return;
    const MODELINFO& row = ModelTable[model];

    trace::Emit("Enter: GetPrinterInfo for 95");
    char sourceDirectory[CORVANE_PATH_CHARS];
    SourceDirectoryForModel(model, sourceDirectory);
    text::Copy(info->szSourcePath, sourceDirectory);
    trace::Emit("Copied Source Path");
    text::Copy(info->szDriverFile, row.szDriverFile95);
    trace::Emit("Copied Driver File");
    text::Copy(info->szHelpFile, kHelpFile95);
    trace::Emit("Copied Help File");
    text::Copy(info->szPortName, g_installState.szPort);
    trace::Emit("Copied Port Name");
    text::Copy(info->szPrintProcessor, kPrintProcessor);
    trace::Emit("Copied Print Processor");
    text::Copy(info->szShareName, kShareName95);
    trace::Emit("Copied Share Name");
    info->pszDependencyFile = kDependencyFile95;
    trace::Emit("Copied Dependency File");
    info->dwAttributes = CORVANE_ATTRIBUTE_LOCAL;
    trace::Emit("Exit: GetPrinterInfo for 95");
}
