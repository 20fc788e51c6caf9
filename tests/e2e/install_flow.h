// The configuration page and the pages after it, as the scenarios use them, and
// the scripted stand-in for the companion library.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "scenario.h"
#include "wizard_pages.h"

namespace e2e {

// The wizard on the medium with the stand-in library (drive E:) or the real one (D:).
inline constexpr char kDoubleMediumExe[] = "E:\\Corvane.exe";
inline constexpr char kRealMediumExe[] = "D:\\Corvane.exe";

// ---- The stand-in library --------------------------------------------------------
struct DoubleScript {
    DWORD versionResult = 0;
    DWORD versionCode = 7;                  // Windows XP
    std::vector<DWORD> installAnswers{0};
    std::vector<DWORD> addAnswers{0};
};

struct LibraryCall {
    std::string name;    // version, install95, add95, installNT
    DWORD answer = 0;
    std::string pageState;
    int index = 0;       // 1-based order of the call
};

// Prepares an empty folder with the script, and points the wizard's library at it.
std::string PrepareDouble(Run& run, const DoubleScript& script);
std::vector<LibraryCall> LibraryCalls(const std::string& folder);
std::vector<unsigned char> RecordBytes(const std::string& folder, const LibraryCall& call);
std::vector<std::string> RecordPointers(const std::string& folder, const LibraryCall& call);

// ---- Pages -------------------------------------------------------------------------
enum class PageKind { Introduction, Configuration, Registration, Conclusion };
HWND WaitForPageKind(DWORD pid, PageKind kind, DWORD timeoutMs = kPageTimeoutMs);
HWND FindPageKind(DWORD pid, PageKind kind);

// Starts the wizard from exe and clicks Next; the CONFIGURATION page or nullptr.
HWND StartAtConfiguration(Run& run, Wizard& wizard);

// Text of other processes' list and combo items (wide messages work across processes).
std::vector<std::string> ListItems(HWND list);
std::vector<std::string> ComboItems(HWND combo);
std::string ControlText(HWND control);
bool IsChecked(HWND check);

// The person's inputs on CONFIGURATION.
void ChooseModel(Run& run, HWND page, int index);
void TypeName(Run& run, HWND page, const std::string& name);
void ChoosePort(Run& run, HWND page, const std::string& port);
void SetCheck(Run& run, HWND page, int checkId, bool checked);
void TypeText(const std::string& text);

// Clicks Install and answers the port confirmation; returns the confirmation's text.
std::string ClickInstallAndConfirm(Run& run, Wizard& wizard, HWND page, bool yes);

// Later on REGISTRATION, Finish on CONCLUSION, and a clean exit: the quickest way
// to the end after an installed outcome.
void LaterThenFinish(Run& run, Wizard& wizard);

// Reads, checks and answers a message box the attempt shows.
struct ExpectedBox {
    const char* caption;
    std::string text;
    LPCSTR icon;
};
bool ExpectBoxAndAnswer(Run& run, Wizard& wizard, const ExpectedBox& expected, HWND owner, int answer = IDOK);

// The registry's Device entry of section "windows", as GetProfileString reads it.
std::string DefaultPrinterEntry();
void ClearDefaultPrinterEntry();

}  // namespace e2e
