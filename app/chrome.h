// Page chrome shared by every wizard page: bitmap buttons made of two static
// controls, clicks that count only when press and release hit the same control,
// dragging by the background, the glyphs, the F4 quit question and centring.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>

struct ButtonPair {
    int idNormal;       // its window rectangle is the button's hover area
    int idHighlight;    // the clickable control
    int fNormalShown;   // 1: normal image shown, 0: highlighted image shown
};

struct PressState {
    int xPress;         // client coordinates of the pressed control, screen after IsClickInside
    int yPress;
    HWND hwndPressed;
};

extern PressState g_press;
extern BYTE fAboutOpen;  // 1 while the ABOUT box is open: INTRODUCTION pauses its hover updates

// The text every page and the ABOUT box carry as their window title.
inline constexpr char kWizardTitle[] = "Kyv Printer Driver Installation Wizard";

void UpdateButtonHover(HWND page, ButtonPair& pair, LONG x, LONG y);
BOOL IsClickInside(HWND control);
void CenterPage(HWND page);
void ConfirmQuit(HWND owner, HWND page);
void QuitWizard(HWND page);
void SubclassPageButtons(HWND page, WNDPROC procedure, std::span<const int> controls);
void RestorePageButtons(HWND page);
void DrawFocusDots(HWND control);
void EraseFocusDots(HWND control);

// ---- The shared page frame --------------------------------------------------
// A page is described by data (its pairs, its clickable controls, its reactions);
// RunPageDialog and RunPageControl carry out the frame that all pages share.

struct PairIds {
    int idNormal;
    int idHighlight;
};

struct PageDefinition {
    std::span<const PairIds> pairs;   // hover order
    std::span<const int> clickable;   // controls that get the page's control procedure
    WNDPROC controlProc;
    void (*onQuitKey)(HWND page);     // F4 pressed while the page is active
    BOOL (*start)(HWND page);         // page start (WM_INITDIALOG)
    void (*onClick)(HWND page, int controlId);
    // Page-specific messages; a value ends processing with that result,
    // nothing lets the frame go on to dragging and hover updates.
    std::optional<INT_PTR> (*onMessage)(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) = nullptr;
    bool (*hoverPaused)() = nullptr;
    // Pages without keyboard controls keep the focus on themselves: otherwise the
    // dialog manager gives it to the first bitmap static, key messages go there,
    // and a plain F4 would never reach the page's quit-key check.
    bool focusOnPage = true;
    // Controls that take the keyboard: their key presses are shown to the page first,
    // so that its quit-key check sees F4 wherever the focus is.
    std::span<const int> keyboardControls = {};
};

INT_PTR RunPageDialog(const PageDefinition& page, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT RunPageControl(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);

// Building blocks of a page start.
void SetPairs(HWND page);                 // pairs from the definition, each fNormalShown = 1
void ShowNormalImages(HWND page);         // hide each highlighted control, show each normal one
void ResetPressPoint();
void SetWizardTitle(HWND page);

// The usual page start: pairs, optional centring, normal images, subclassing,
// press point, title.
enum class Placement { Centred, AsTemplate };
BOOL StandardPageStart(HWND page, Placement placement);

// Quit-key reactions shared by pages.
void AskQuitOwnedByPage(HWND page);
void AskQuitWithoutOwner(HWND page);
void MinimisePage(HWND page);
// The close and minimise glyphs act alike on every page; false for any other control.
bool OnGlyphClick(HWND page, int controlId);
