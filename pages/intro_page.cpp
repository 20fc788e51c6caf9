// INTRODUCTION, the first page, and the ABOUT box that opens over it.
#include <array>

#include "app/app_context.h"
#include "app/chrome.h"
#include "pages/pages.h"
#include "res/resource.h"

namespace {

// ---- INTRODUCTION -----------------------------------------------------------

constexpr std::array<PairIds, 3> kIntroPairs{{
    {IDC_INTRO_NEXT_NORMAL, IDC_INTRO_NEXT_HIGHLIGHT},
    {IDC_INTRO_CANCEL_NORMAL, IDC_INTRO_CANCEL_HIGHLIGHT},
    {IDC_INTRO_ABOUT_NORMAL, IDC_INTRO_ABOUT_HIGHLIGHT},
}};

constexpr std::array<int, 5> kIntroClickable{
    IDC_INTRO_NEXT_HIGHLIGHT, IDC_INTRO_CANCEL_HIGHLIGHT, IDC_INTRO_ABOUT_HIGHLIGHT,
    IDC_GLYPH_CLOSE, IDC_GLYPH_MINIMISE,
};

BOOL StartIntroPage(HWND page) { return StandardPageStart(page, Placement::Centred); }

bool IsAboutOpen() { return fAboutOpen != 0; }

void OpenAbout(HWND page)
{
    // The button shows its normal image while the box is open; its hover state is
    // left highlighted, so it highlights again only after the cursor leaves and returns.
    ShowWindow(GetDlgItem(page, IDC_INTRO_ABOUT_HIGHLIGHT), SW_HIDE);
    ShowWindow(GetDlgItem(page, IDC_INTRO_ABOUT_NORMAL), SW_SHOW);
    DialogBoxParamA(g_app.hInstance, "ABOUT", page, AboutDlgProc, 0);
}

void OnIntroClick(HWND page, int controlId)
{
    if (OnGlyphClick(page, controlId))
        return;
    switch (controlId) {
    case IDC_INTRO_NEXT_HIGHLIGHT:
        // The page ends itself first; CONFIGURATION and all after it nest in this call.
        EndDialog(page, 0);
        OpenConfigurationPage(page);
        break;
    case IDC_INTRO_ABOUT_HIGHLIGHT:
        OpenAbout(page);
        break;
    case IDC_INTRO_CANCEL_HIGHLIGHT:
        ConfirmQuit(page, page);
        break;
    default:
        break;
    }
}

const PageDefinition kIntroPage{
    .pairs = kIntroPairs,
    .clickable = kIntroClickable,
    .controlProc = IntroButtonProc,
    .onQuitKey = AskQuitWithoutOwner,
    .start = StartIntroPage,
    .onClick = OnIntroClick,
    .hoverPaused = IsAboutOpen,
};

// ---- ABOUT ------------------------------------------------------------------

constexpr std::array<PairIds, 1> kAboutPairs{{{IDC_ABOUT_OK_NORMAL, IDC_ABOUT_OK_HIGHLIGHT}}};
constexpr std::array<int, 1> kAboutClickable{IDC_ABOUT_OK_HIGHLIGHT};

void CloseAbout(HWND box)
{
    fAboutOpen = 0;
    EndDialog(box, 0);
}

BOOL StartAboutBox(HWND box)
{
    fAboutOpen = 1;
    // Placed by its template at (90, 50) dialog units from the page's client origin.
    return StandardPageStart(box, Placement::AsTemplate);
}

void OnAboutClick(HWND box, int controlId)
{
    if (controlId == IDC_ABOUT_OK_HIGHLIGHT)
        CloseAbout(box);
}

const PageDefinition kAboutBox{
    .pairs = kAboutPairs,
    .clickable = kAboutClickable,
    .controlProc = AboutButtonProc,
    .onQuitKey = CloseAbout,  // F4 closes the box without a question
    .start = StartAboutBox,
    .onClick = OnAboutClick,
};

}  // namespace

INT_PTR CALLBACK IntroDlgProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPageDialog(kIntroPage, page, msg, wParam, lParam);
}

LRESULT CALLBACK IntroButtonProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPageControl(control, msg, wParam, lParam);
}

INT_PTR CALLBACK AboutDlgProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPageDialog(kAboutBox, box, msg, wParam, lParam);
}

LRESULT CALLBACK AboutButtonProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPageControl(control, msg, wParam, lParam);
}
