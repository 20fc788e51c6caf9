#include "ui.h"

#include <tlhelp32.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "app/bounded_string.h"

namespace e2e {

// ---- Checks ---------------------------------------------------------------------

bool Checks::Expect(bool condition, const char* format, ...)
{
    if (condition)
        return true;
    ++failures_;
    char message[1024];
    va_list args;
    va_start(args, format);
    text::BoundedFormatV(message, std::size(message), format, args);
    va_end(args);
    std::printf("FAIL: %s\n", message);
    std::fflush(stdout);
    return false;
}

void Checks::Note(const char* format, ...)
{
    char message[1024];
    va_list args;
    va_start(args, format);
    text::BoundedFormatV(message, std::size(message), format, args);
    va_end(args);
    std::printf("  %s\n", message);
    std::fflush(stdout);
}

// ---- Wizard process -------------------------------------------------------------

Wizard::~Wizard()
{
    if (info_.hProcess) {
        if (Running()) {
            checks_.Expect(false, "the wizard was still running at the end of the scenario");
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

bool Wizard::Launch(const std::string& arguments, WORD showCommand)
{
    std::string commandLine = "\"" + exe_ + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showCommand;
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');
    const BOOL ok = CreateProcessA(exe_.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &info_);
    return checks_.Expect(ok != FALSE, "cannot start %s (error %lu)", exe_.c_str(), GetLastError());
}

bool Wizard::Running() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Wizard::WaitForExit(DWORD timeoutMs, DWORD* exitCode)
{
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(info_.hProcess, exitCode);
    return true;
}

namespace {

int CountProcessesNamed(const char* name)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (_stricmp(entry.szExeFile, name) == 0)
            ++count;
    CloseHandle(snapshot);
    return count;
}

}  // namespace

void Wizard::ExpectCleanExit(DWORD timeoutMs)
{
    DWORD code = 0xDEAD;
    if (!checks_.Expect(WaitForExit(timeoutMs, &code), "the wizard did not exit within %lu ms", timeoutMs))
        return;
    checks_.Expect(code == 0, "exit code %lu, expected 0", code);
    checks_.Expect(WaitUntil([] { return CountProcessesNamed("Corvane.exe") == 0; }, 3000),
                   "a Corvane.exe process is left behind");
}

// ---- Windows ----------------------------------------------------------------------

namespace {

struct WindowSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->pid)
        search->found.push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD pid)
{
    WindowSearch search{pid, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND hwnd)
{
    char buffer[512] = "";
    GetWindowTextA(hwnd, buffer, static_cast<int>(std::size(buffer)));
    return buffer;
}

std::string ClassName(HWND hwnd)
{
    char buffer[256] = "";
    GetClassNameA(hwnd, buffer, static_cast<int>(std::size(buffer)));
    return buffer;
}

RECT WindowRect(HWND hwnd)
{
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

POINT ClientOrigin(HWND hwnd)
{
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    return origin;
}

POINT Centre(const RECT& rect)
{
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(10);
    }
}

HWND FindVisibleWindow(DWORD pid, const char* title, const char* className)
{
    for (HWND hwnd : TopLevelWindows(pid)) {
        if (!IsWindowVisible(hwnd))
            continue;
        if (title && WindowText(hwnd) != title)
            continue;
        if (className && ClassName(hwnd) != className)
            continue;
        return hwnd;
    }
    return nullptr;
}

HWND WaitForWindow(DWORD pid, const char* title, const char* className, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindVisibleWindow(pid, title, className)) != nullptr; }, timeoutMs);
    return found;
}

void Settle(DWORD ms) { Sleep(ms); }

namespace {

INT_PTR CALLBACK IdleDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

}  // namespace

RECT DialogUnitsToPixels(const wchar_t* face, WORD pointSize, RECT units)
{
    // An extended template with only a header and the font.
    std::vector<WORD> words;
    auto push32 = [&](DWORD v) { words.push_back(LOWORD(v)); words.push_back(HIWORD(v)); };
    words.push_back(1);
    words.push_back(0xFFFF);
    push32(0);                       // help id
    push32(0);                       // extended style
    push32(WS_POPUP | DS_SETFONT);   // style
    words.push_back(0);              // no controls
    for (int i = 0; i < 4; ++i)
        words.push_back(i < 2 ? 0 : 10);
    words.push_back(0);              // menu
    words.push_back(0);              // class
    words.push_back(0);              // title
    words.push_back(pointSize);
    words.push_back(0);              // weight
    words.push_back(0x0100);         // italic 0, charset 1
    for (const wchar_t* c = face; *c; ++c)
        words.push_back(static_cast<WORD>(*c));
    words.push_back(0);
    HWND dialog = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), nullptr,
                                             IdleDialogProc, 0);
    RECT pixels = units;
    if (dialog) {
        MapDialogRect(dialog, &pixels);
        DestroyWindow(dialog);
    }
    return pixels;
}

// ---- Input -------------------------------------------------------------------------

namespace {

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.dx = dx;
    input.mi.dy = dy;
    SendInput(1, &input, sizeof input);
}

void SendKey(WORD vk, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

}  // namespace

void MoveMouse(int x, int y)
{
    // A hand never lands exactly where it already is: arrive from a pixel aside, so
    // the window under the cursor always sees a move.
    POINT start{};
    GetCursorPos(&start);
    if (start.x == x && start.y == y && x > 0)
        MoveMouse(x - 1, y);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    // Absolute coordinates are 0..65535 across the screen; round to the pixel's centre.
    const LONG dx = (x * 65536 + width / 2) / width;
    const LONG dy = (y * 65536 + height / 2) / height;
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, dx, dy);
    auto arrived = [&] {
        POINT now{};
        GetCursorPos(&now);
        return now.x == x && now.y == y;
    };
    // The input is handled asynchronously; wait for it before correcting a pixel off,
    // or a late move would undo the correction.
    if (!WaitUntil(arrived, 300)) {
        SetCursorPos(x, y);
        WaitUntil(arrived, 300);
    }
    Sleep(30);
}

void MoveMouseInSteps(POINT from, POINT to, int steps)
{
    for (int i = 1; i <= steps; ++i)
        MoveMouse(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
}

void MouseDown()
{
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(40);
}

void MouseUp()
{
    SendMouse(MOUSEEVENTF_LEFTUP);
    Sleep(40);
}

void Click(POINT at)
{
    MoveMouse(at.x, at.y);
    MouseDown();
    MouseUp();
}

constexpr DWORD kAsyncStateCacheMs = 120;

void KeyDown(WORD vk) { SendKey(vk, 0); }

void KeyUp(WORD vk) { SendKey(vk, KEYEVENTF_KEYUP); }

void KeyPress(WORD vk, DWORD holdMs, DWORD repeatMs)
{
    // Wine answers GetAsyncKeyState from a per-thread cache for 50 ms after a reading
    // when the reading thread itself sent no input; the wizard reads F4 on every
    // message, so a key pressed right after other input would read as up. A person's
    // key presses are that far apart anyway.
    Sleep(kAsyncStateCacheMs);
    KeyDown(vk);
    if (repeatMs == 0) {
        Sleep(holdMs);
    } else {
        // A held key repeats its down event, as a keyboard does.
        for (DWORD held = 0; held < holdMs; held += repeatMs) {
            Sleep(repeatMs);
            KeyDown(vk);
        }
    }
    KeyUp(vk);
    Sleep(40);
}

// ---- Message boxes ---------------------------------------------------------------

HWND WaitForMessageBox(DWORD pid, const char* caption, DWORD timeoutMs)
{
    return WaitForWindow(pid, caption, "#32770", timeoutMs);
}

int CountVisibleWindows(DWORD pid, const char* className, const char* title)
{
    int count = 0;
    for (HWND hwnd : TopLevelWindows(pid))
        if (IsWindowVisible(hwnd) && (!className || ClassName(hwnd) == className) &&
            (!title || WindowText(hwnd) == title))
            ++count;
    return count;
}

namespace {

HWND FindIconControl(HWND box)
{
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_stricmp(ClassName(child).c_str(), "Static") == 0 &&
            (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child))
            return child;
    }
    return nullptr;
}

// The pixels of a bitmap, top-down rows of 0x00RRGGBB.
std::vector<DWORD> PixelsOf(HDC dc, HBITMAP bitmap, int width, int height)
{
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    for (DWORD& p : pixels)
        p &= 0x00FFFFFF;
    return pixels;
}

// Draws into a screen-compatible bitmap of the given size and returns its pixels.
template <typename Paint>
std::vector<DWORD> PaintedPixels(int width, int height, Paint paint)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    paint(memory, screen);
    SelectObject(memory, old);
    std::vector<DWORD> pixels = PixelsOf(memory, bitmap, width, height);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Pixels of the screen area.
std::vector<DWORD> CaptureScreen(const RECT& rect)
{
    return PaintedPixels(rect.right - rect.left, rect.bottom - rect.top, [&](HDC memory, HDC screen) {
        BitBlt(memory, 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen, rect.left, rect.top, SRCCOPY);
    });
}

// The icon drawn by this process over a uniform background.
std::vector<DWORD> RenderIcon(LPCSTR iconId, int width, int height, DWORD background)
{
    return PaintedPixels(width, height, [&](HDC memory, HDC) {
        HBRUSH brush = CreateSolidBrush(RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
        RECT all{0, 0, width, height};
        FillRect(memory, &all, brush);
        DeleteObject(brush);
        DrawIconEx(memory, 0, 0, LoadIconA(nullptr, iconId), 0, 0, 0, nullptr, DI_NORMAL);
    });
}

// Which system icon the box shows: the one whose drawing matches the screen best.
LPCSTR IdentifyIcon(HWND box)
{
    HWND iconControl = FindIconControl(box);
    if (!iconControl)
        return nullptr;
    const RECT area = WindowRect(iconControl);
    const std::vector<DWORD> shown = CaptureScreen(area);
    if (shown.empty())
        return nullptr;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    static const LPCSTR kCandidates[] = {IDI_QUESTION, IDI_ERROR, IDI_WARNING, IDI_INFORMATION};
    LPCSTR best = nullptr;
    size_t bestMismatches = shown.size();
    for (LPCSTR candidate : kCandidates) {
        const std::vector<DWORD> drawn = RenderIcon(candidate, width, height, shown.front());
        size_t mismatches = 0;
        for (size_t i = 0; i < shown.size(); ++i)
            mismatches += shown[i] != drawn[i];
        if (mismatches < bestMismatches) {
            bestMismatches = mismatches;
            best = candidate;
        }
    }
    // A close match only: a few anti-aliased edge pixels may differ.
    return bestMismatches * 20 <= shown.size() ? best : nullptr;
}

}  // namespace

MessageBoxView ReadMessageBox(HWND box)
{
    MessageBoxView view;
    view.hwnd = box;
    view.caption = WindowText(box);
    char text[1024] = "";
    GetDlgItemTextA(box, 0xFFFF, text, static_cast<int>(std::size(text)));
    view.text = text;
    view.owner = GetWindow(box, GW_OWNER);
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        HWND button = GetDlgItem(box, id);
        if (button && IsWindowVisible(button))
            view.buttons.push_back(id);
    }
    // The box may still be painting its icon: look again for a moment.
    WaitUntil([&] { return (view.icon = IdentifyIcon(box)) != nullptr; }, 1500);
    return view;
}

void AnswerMessageBox(HWND box, int buttonId)
{
    HWND button = GetDlgItem(box, buttonId);
    if (!button)
        return;
    // A new box is still being placed and activated for a moment: let it settle, and
    // press only once the button is what lies under the cursor.
    Settle(150);
    // A click that did not take is clicked again, as a person would.
    for (int attempt = 0; attempt < 3 && IsWindow(box); ++attempt) {
        const POINT centre = Centre(WindowRect(button));
        if (attempt > 0)
            MoveMouse(centre.x, centre.y + 30);
        MoveMouse(centre.x, centre.y);
        WaitUntil([&] { return WindowFromPoint(centre) == button; }, 1000);
        MouseDown();
        MouseUp();
        WaitUntil([&] { return !IsWindow(box); }, 1000);
    }
}

// ---- Files -----------------------------------------------------------------------

std::string ReadFileShared(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    std::string content;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        content.append(chunk, got);
    CloseHandle(file);
    return content;
}

// ---- Pictures ----------------------------------------------------------------------

bool SaveScreenArea(const RECT& rect, const std::string& path)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    const std::vector<DWORD> pixels = CaptureScreen(rect);
    const int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(rowBytes * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    std::vector<char> row(static_cast<size_t>(rowBytes), 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const DWORD p = pixels[static_cast<size_t>(y) * width + x];
            row[x * 3 + 0] = static_cast<char>(p & 0xFF);
            row[x * 3 + 1] = static_cast<char>((p >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<char>((p >> 16) & 0xFF);
        }
        out.write(row.data(), rowBytes);
    }
    return static_cast<bool>(out);
}

}  // namespace e2e
