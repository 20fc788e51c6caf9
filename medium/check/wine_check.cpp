// Reads the medium with Windows' own readers, under Wine: the setup API opens
// KYVSETUP.INF as a printer INF and copies it into the system's INF store as the wizard
// does, and the loader maps every resource-only DLL and finds its resources.
// Usage: medium_wine_check.exe <medium-root>   (exit code 0 when every check passes)
#include <windows.h>
#include <setupapi.h>

#include <cstdio>
#include <iterator>
#include <string>

namespace {

int g_failures = 0;

void Fail(const std::string& what)
{
    std::printf("FAIL %s\n", what.c_str());
    ++g_failures;
}

// CTest hands over Unix paths; Wine maps the Unix root to drive Z:.
std::string WindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path;
}

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes.clear();
    char buffer[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return ok;
}

constexpr const char* kModels[] = {"Kyv QL 610", "Kyv QL 620", "Kyv QL 630"};
constexpr const char* kModelsSections[] = {"Kyv", "Kyv.NTx86", "Kyv.NTamd64"};

void CheckInfOpens(const std::string& inf)
{
    UINT errorLine = 0;
    // Windows rejects an INF of another class when the class is named (Wine does not check).
    HINF handle = SetupOpenInfFileA(inf.c_str(), "Printer", INF_STYLE_WIN4, &errorLine);
    if (handle == INVALID_HANDLE_VALUE) {
        Fail("SetupOpenInfFileA(" + inf + ", Printer) failed at line " + std::to_string(errorLine) +
             ", error " + std::to_string(GetLastError()));
        return;
    }
    for (const char* section : kModelsSections) {
        LONG lines = SetupGetLineCountA(handle, section);
        if (lines != static_cast<LONG>(std::size(kModels)))
            Fail(std::string("[") + section + "] has " + std::to_string(lines) + " lines, expected 3");
        for (const char* model : kModels) {
            INFCONTEXT line{};
            if (!SetupFindFirstLineA(handle, section, model, &line))
                Fail(std::string("[") + section + "] has no line for " + model);
        }
    }
    SetupCloseInfFile(handle);
}

// A file in the INF store with exactly these bytes, or an empty string.
std::string StoredCopy(const std::string& store, const std::string& bytes)
{
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((store + "*.inf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    std::string match;
    do {
        std::string other;
        if (ReadWholeFile(store + found.cFileName, other) && other == bytes)
            match = store + found.cFileName;
    } while (match.empty() && FindNextFileA(search, &found));
    FindClose(search);
    return match;
}

void CheckCopiesIntoStore(const std::string& inf)
{
    std::string bytes;
    if (!ReadWholeFile(inf, bytes)) {
        Fail("cannot read " + inf);
        return;
    }
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string store = std::string(windows) + "\\inf\\";
    const bool storedBefore = !StoredCopy(store, bytes).empty();

    char destination[MAX_PATH] = {};
    DWORD needed = 0;
    // The wizard's call: keep the name the system chooses, copy only when newer.
    if (!SetupCopyOEMInfA(inf.c_str(), nullptr, SPOST_NONE, SP_COPY_NEWER, destination, MAX_PATH, &needed,
                          nullptr)) {
        Fail("SetupCopyOEMInfA(" + inf + ") failed, error " + std::to_string(GetLastError()));
        return;
    }
    std::string stored;
    if (!ReadWholeFile(destination, stored) || stored != bytes)
        Fail(std::string("the INF store's copy ") + destination + " does not equal " + inf);
    if (!storedBefore) {
        // Leave the shared prefix as it was for the wizard's own scenarios.
        DeleteFileA(destination);
        std::string compiled = destination;
        compiled.replace(compiled.size() - 4, 4, ".pnf");
        DeleteFileA(compiled.c_str());
    }
}

struct DllCase {
    const char* relative;
    WORD resourceType;  // what the DLL is shipped for
};

constexpr DllCase kDlls[] = {
    {"Windows\\Kyv QL 610\\WinXP\\QL21.dll", 6},       // RT_STRING
    {"Windows\\Kyv QL 620\\Win8X64\\QL22.dll", 6},
    {"Windows\\Kyv QL 630\\WinME\\QL22.dll", 6},
    {"Windows\\Kyv QL 610\\Win95\\ICONLIB.dll", 14},   // RT_GROUP_ICON
};

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

void CheckDllLoads(const std::string& root, const DllCase& dll)
{
    const std::string path = root + dll.relative;
    HMODULE data = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!data) {
        Fail("LoadLibraryExA(" + path + ", as data file) failed, error " + std::to_string(GetLastError()));
        return;
    }
    if (!FindResourceA(data, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16)))
        Fail(path + " has no version resource");
    FreeLibrary(data);

    // Loaded as an image it must map without running anything: it has no entry point.
    HMODULE image = LoadLibraryA(path.c_str());
    if (!image) {
        Fail("LoadLibraryA(" + path + ") failed, error " + std::to_string(GetLastError()));
        return;
    }
    int names = 0;
    EnumResourceNamesA(image, MAKEINTRESOURCEA(dll.resourceType), CountName, reinterpret_cast<LONG_PTR>(&names));
    if (names == 0)
        Fail(path + " lacks the resources it is shipped for");
    FreeLibrary(image);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::printf("usage: medium_wine_check.exe <medium-root>\n");
        return 2;
    }
    const std::string root = WindowsPath(argv[1]);
    const std::string inf = root + "Windows\\Kyv QL 620\\WinXP\\KYVSETUP.INF";
    CheckInfOpens(inf);
    CheckCopiesIntoStore(inf);
    for (const DllCase& dll : kDlls)
        CheckDllLoads(root, dll);
    std::printf("%d failure(s)\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
