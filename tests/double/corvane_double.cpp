// A scripted stand-in for Corvane.dll, built from the same interface header.
// It answers what a scenario asks for and keeps every record it is handed, so the
// end-to-end tests can produce outcomes the real spooler cannot easily give.
//
// CORVANE_DOUBLE_DIR names a folder holding:
//   script.txt  lines "version <result> <code>", "install <result>", "add <result>";
//               install/add answers are used in order, the last one repeating
//   calls.txt   written: one line per call with its answer and what the page showed
//   NNN-<call>.bin  written: the record's bytes as handed over
//   NNN-<call>.ptr  written: the strings its pointer fields point to
#define CORVANE_BUILDING_LIBRARY
#include "install/corvane_api.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

struct Script {
    DWORD versionResult = 0;
    DWORD versionCode = OS_WINXP;
    std::vector<DWORD> installAnswers{0};
    std::vector<DWORD> addAnswers{0};
};

std::string Folder()
{
    char folder[MAX_PATH] = "";
    GetEnvironmentVariableA("CORVANE_DOUBLE_DIR", folder, MAX_PATH);
    return folder;
}

Script ReadScript()
{
    Script script;
    const std::string path = Folder() + "\\script.txt";
    FILE* file = std::fopen(path.c_str(), "r");
    if (!file)
        return script;
    std::vector<DWORD> installs, adds;
    char word[32];
    unsigned long a = 0, b = 0;
    while (std::fscanf(file, "%31s %lu", word, &a) == 2) {
        if (std::strcmp(word, "version") == 0 && std::fscanf(file, "%lu", &b) == 1) {
            script.versionResult = a;
            script.versionCode = b;
        } else if (std::strcmp(word, "install") == 0) {
            installs.push_back(a);
        } else if (std::strcmp(word, "add") == 0) {
            adds.push_back(a);
        }
    }
    std::fclose(file);
    if (!installs.empty())
        script.installAnswers = installs;
    if (!adds.empty())
        script.addAnswers = adds;
    return script;
}

int CountCalls()
{
    const std::string path = Folder() + "\\calls.txt";
    FILE* file = std::fopen(path.c_str(), "r");
    if (!file)
        return 0;
    int lines = 0;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        lines += c == '\n';
    std::fclose(file);
    return lines;
}

int CountCallsNamed(const char* name)
{
    const std::string path = Folder() + "\\calls.txt";
    FILE* file = std::fopen(path.c_str(), "r");
    if (!file)
        return 0;
    char line[512];
    int count = 0;
    while (std::fgets(line, sizeof line, file))
        count += std::strncmp(line, name, std::strlen(name)) == 0 && line[std::strlen(name)] == ' ';
    std::fclose(file);
    return count;
}

DWORD Answer(const std::vector<DWORD>& answers, int index)
{
    return answers[static_cast<size_t>(index) < answers.size() ? static_cast<size_t>(index) : answers.size() - 1];
}

// What a person sees on the configuration page while the library works.
std::string PageState()
{
    HWND page = nullptr;
    for (HWND hwnd = GetTopWindow(nullptr); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) && GetDlgItem(hwnd, IDC_CONFIG_BANNER)) {
            page = hwnd;
            break;
        }
    }
    if (!page)
        return "page=none";
    const int ids[] = {IDC_CONFIG_BANNER, IDC_CONFIG_DEFAULT_LABEL, IDC_CONFIG_TESTPAGE_LABEL,
                       IDC_CONFIG_DEFAULT_CHECK, IDC_CONFIG_TESTPAGE_CHECK, IDC_CONFIG_PORT_LIST};
    std::string state;
    for (int id : ids)
        state += std::to_string(id) + "=" + (IsWindowVisible(GetDlgItem(page, id)) ? "shown " : "hidden ");
    return state;
}

void Record(const char* call, const void* record, size_t size, const std::vector<const char*>& pointers, DWORD answer)
{
    const std::string folder = Folder();
    if (folder.empty())
        return;
    const int index = CountCalls() + 1;
    char stem[64];
    std::snprintf(stem, sizeof stem, "\\%03d-%s", index, call);
    if (FILE* bin = std::fopen((folder + stem + ".bin").c_str(), "wb")) {
        std::fwrite(record, 1, size, bin);
        std::fclose(bin);
    }
    if (FILE* ptr = std::fopen((folder + stem + ".ptr").c_str(), "w")) {
        for (const char* p : pointers)
            std::fprintf(ptr, "%s\n", p ? p : "(null)");
        std::fclose(ptr);
    }
    if (FILE* calls = std::fopen((folder + "\\calls.txt").c_str(), "a")) {
        std::fprintf(calls, "%s %lu %s\n", call, static_cast<unsigned long>(answer), PageState().c_str());
        std::fclose(calls);
    }
}

}  // namespace

DWORD WINAPI GetOperatingSystemVersionA(OSVERSION* version)
{
    const Script script = ReadScript();
    // Like the real library: the unknown code goes with "not supported".
    *version = static_cast<OSVERSION>(script.versionCode);
    const DWORD answer = script.versionResult;
    Record("version", version, sizeof *version, {}, answer);
    return answer;
}

DWORD WINAPI InstallPrinterDriverA(_PRINTERINFO_95* info)
{
    const Script script = ReadScript();
    const DWORD answer = Answer(script.installAnswers, CountCallsNamed("install95") + CountCallsNamed("installNT"));
    Record("install95", info, sizeof *info, {info->pszDependencyFile}, answer);
    return answer;
}

DWORD WINAPI AddPrinterToPrinterListA(_PRINTERINFO_95* info)
{
    const Script script = ReadScript();
    const DWORD answer = Answer(script.addAnswers, CountCallsNamed("add95"));
    Record("add95", info, sizeof *info, {info->pszDependencyFile}, answer);
    return answer;
}

DWORD WINAPI InstallPrinterDriverA(_PRINTERINFO_NTA* info)
{
    const Script script = ReadScript();
    const DWORD answer = Answer(script.installAnswers, CountCallsNamed("install95") + CountCallsNamed("installNT"));
    Record("installNT", info, sizeof *info, {info->pszDependencyFile, info->pszManufacturer, info->pszWebSite},
           answer);
    return answer;
}
