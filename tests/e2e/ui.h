// What the end-to-end driver does as a person would: launch the wizard, look at
// its windows, move the real mouse, click, press keys and answer message boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// ---- Result collection --------------------------------------------------------
class Checks {
public:
    // Records a failure with its message; returns the condition so callers can stop early.
    bool Expect(bool condition, const char* format, ...) __attribute__((format(gnu_printf, 3, 4)));
    void Note(const char* format, ...) __attribute__((format(gnu_printf, 2, 3)));
    int failures() const { return failures_; }

private:
    int failures_ = 0;
};

// ---- The wizard process -------------------------------------------------------
class Wizard {
public:
    Wizard(std::string exePath, Checks& checks) : exe_(std::move(exePath)), checks_(checks) {}
    ~Wizard();
    Wizard(const Wizard&) = delete;
    Wizard& operator=(const Wizard&) = delete;

    // Starts the program with the given arguments and show command.
    bool Launch(const std::string& arguments = "", WORD showCommand = SW_SHOWNORMAL);
    DWORD pid() const { return info_.dwProcessId; }
    HANDLE process() const { return info_.hProcess; }
    bool Running() const;
    // Waits for the process to end; fills exitCode. False on timeout.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
    // The process ended with code 0 and no Corvane.exe is left running.
    void ExpectCleanExit(DWORD timeoutMs = 10000);

private:
    std::string exe_;
    Checks& checks_;
    PROCESS_INFORMATION info_{};
};

// ---- Windows of a process -------------------------------------------------------
std::vector<HWND> TopLevelWindows(DWORD pid);
std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);
RECT WindowRect(HWND hwnd);
POINT ClientOrigin(HWND hwnd);
POINT Centre(const RECT& rect);
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// A visible top-level window of pid with this title (and class, when given).
HWND WaitForWindow(DWORD pid, const char* title, const char* className, DWORD timeoutMs);
HWND FindVisibleWindow(DWORD pid, const char* title, const char* className);
// Lets the wizard handle what was sent to it before looking again.
void Settle(DWORD ms = 250);

// Converts dialog units to pixels with a dialog of the given font made in this
// process (MapDialogRect does not work on another process's dialog under Wine).
RECT DialogUnitsToPixels(const wchar_t* face, WORD pointSize, RECT units);

// ---- Input through the system ------------------------------------------------------
void MoveMouse(int x, int y);
void MoveMouseInSteps(POINT from, POINT to, int steps);
void MouseDown();
void MouseUp();
void Click(POINT at);
void KeyDown(WORD vk);
void KeyUp(WORD vk);
// Down, held for holdMs (repeating the down event every repeatMs when non-zero), up.
void KeyPress(WORD vk, DWORD holdMs = 100, DWORD repeatMs = 0);

// ---- Message boxes -------------------------------------------------------------------
struct MessageBoxView {
    HWND hwnd = nullptr;
    std::string caption;
    std::string text;
    HWND owner = nullptr;
    std::vector<int> buttons;    // ids of the push buttons present
    LPCSTR icon = nullptr;       // the system icon it shows (IDI_*), or nullptr
};

HWND WaitForMessageBox(DWORD pid, const char* caption, DWORD timeoutMs);
MessageBoxView ReadMessageBox(HWND box);
// Clicks the button with the mouse, as a person answers.
void AnswerMessageBox(HWND box, int buttonId);
int CountVisibleWindows(DWORD pid, const char* className, const char* title);

// ---- Files -----------------------------------------------------------------------
// The whole file, read while others may still hold it open (the spooler does);
// empty when it cannot be opened.
std::string ReadFileShared(const std::string& path);

// ---- Pictures ----------------------------------------------------------------------
// Saves the screen area of rect as a 24-bit BMP.
bool SaveScreenArea(const RECT& rect, const std::string& path);

}  // namespace e2e
