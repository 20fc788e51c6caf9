// The end-to-end driver: runs one named scenario against Corvane.exe in the same
// Wine prefix and display, and exits 0 only when every check of it passed.
// Usage: e2e_driver <scenario> <Corvane.exe> <output folder>
//        e2e_driver --list
//        e2e_driver --screenshot <Corvane.exe> <picture.bmp>
//        e2e_driver --bench <runs> <Corvane.exe> <baseline.exe>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "scenario.h"
#include "tools_modes.h"

namespace e2e {
namespace {

struct Entry {
    const char* name;
    ScenarioFunction function;
};

std::vector<Entry>& Registry()
{
    static std::vector<Entry> entries;
    return entries;
}

// Paths come from CMake in Unix form; Wine maps the Unix root to drive Z:.
std::string ToWindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// Creates the folder and any missing parents.
void CreateFolders(const std::string& path)
{
    for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

}  // namespace

ScenarioRegistration::ScenarioRegistration(const char* name, ScenarioFunction function)
{
    Registry().push_back({name, function});
}

}  // namespace e2e

int main(int argc, char** argv)
{
    using namespace e2e;
    if (argc >= 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const Entry& entry : Registry())
            std::printf("%s\n", entry.name);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--screenshot") == 0)
        return ScreenshotMode(ToWindowsPath(argv[2]), ToWindowsPath(argv[3]));
    if (argc == 5 && std::strcmp(argv[1], "--bench") == 0)
        return BenchMode(std::atoi(argv[2]), ToWindowsPath(argv[3]), ToWindowsPath(argv[4]));
    if (argc < 4) {
        std::fprintf(stderr, "usage: e2e_driver <scenario> <Corvane.exe> <output folder>\n");
        return 2;
    }
    for (const Entry& entry : Registry()) {
        if (std::strcmp(entry.name, argv[1]) != 0)
            continue;
        Run run;
        run.exe = ToWindowsPath(argv[2]);
        run.outDir = ToWindowsPath(argv[3]);
        CreateFolders(run.outDir);
        std::printf("scenario %s\n", entry.name);
        std::fflush(stdout);
        entry.function(run);
        std::printf("%s: %d failure(s)\n", entry.name, run.checks.failures());
        return run.checks.failures() == 0 ? 0 : 1;
    }
    std::fprintf(stderr, "no scenario named %s\n", argv[1]);
    return 2;
}
