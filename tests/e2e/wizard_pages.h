// Finding the wizard's pages and using their bitmap buttons, shared by scenarios.
#pragma once

#include <windows.h>

#include "scenario.h"

namespace e2e {

inline constexpr char kWizardTitle[] = "Kyv Printer Driver Installation Wizard";
inline constexpr char kQuitCaption[] = "Setwright";
inline constexpr char kQuitText[] = "Are you sure to quit from this wizard?";
inline constexpr DWORD kPageTimeoutMs = 10000;

// The pages carry WS_EX_APPWINDOW; the ABOUT box, with the same title, does not.
HWND FindPage(DWORD pid);
HWND WaitForPage(DWORD pid, DWORD timeoutMs = kPageTimeoutMs);
HWND FindAboutBox(DWORD pid);
HWND WaitForAboutBox(DWORD pid, DWORD timeoutMs = kPageTimeoutMs);

// Starts the wizard and waits for INTRODUCTION; nullptr (and a failure) if it never shows.
HWND StartAtIntroduction(Run& run, Wizard& wizard, const std::string& arguments = "",
                         WORD showCommand = SW_SHOWNORMAL);

bool Shown(HWND page, int id);
// Moves onto the button, waits for its highlighted image, then presses and releases.
bool ClickButton(Run& run, HWND page, int normalId, int highlightId);
bool ClickGlyph(Run& run, HWND page, int glyphId);
// Press at one point and release at another, moving between them.
void PressMoveRelease(POINT from, POINT to);

// Answers the quit question with Yes and expects the program to end cleanly.
void ConfirmQuitQuestion(Run& run, Wizard& wizard);
// Expects the quit question (text, caption, buttons, icon), returns its window.
HWND ExpectQuitQuestion(Run& run, DWORD pid, HWND expectedOwner);
// Nothing appeared or ended: still running, the page visible where it was, no box.
void ExpectNothingHappened(Run& run, Wizard& wizard, HWND page, const RECT& where, const char* after);

}  // namespace e2e
