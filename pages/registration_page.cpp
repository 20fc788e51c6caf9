// REGISTRATION: offers the maker's product registration, then CONCLUSION.
#include <array>

#include <windows.h>
#include <shellapi.h>

#include "app/app_context.h"
#include "app/chrome.h"
#include "install/maker.h"
#include "pages/pages.h"
#include "res/resource.h"

namespace {

constexpr DWORD kPauseAfterRegisterMs = 3000;   // time for the browser to come up

constexpr std::array<PairIds, 2> kRegistrationPairs{{
    {IDC_REG_REGISTER_NORMAL, IDC_REG_REGISTER_HIGHLIGHT},
    {IDC_REG_LATER_NORMAL, IDC_REG_LATER_HIGHLIGHT},
}};

constexpr std::array<int, 4> kRegistrationClickable{
    IDC_REG_REGISTER_HIGHLIGHT, IDC_REG_LATER_HIGHLIGHT, IDC_GLYPH_CLOSE, IDC_GLYPH_MINIMISE,
};

// Neither centred nor with its images sorted out: the page covers CONFIGURATION's
// place and its highlighted controls lie on top, so a click works from the start.
BOOL StartRegistrationPage(HWND page)
{
    SetPairs(page);
    SubclassPageButtons(page, RegistrationButtonProc, kRegistrationClickable);
    ResetPressPoint();
    SetWizardTitle(page);
    return TRUE;
}

void OnRegistrationClick(HWND page, int controlId)
{
    if (OnGlyphClick(page, controlId))
        return;
    switch (controlId) {
    case IDC_REG_REGISTER_HIGHLIGHT:
        EndDialog(page, 0);
        ShellExecuteA(nullptr, "open", kRegistrationUrl, nullptr, nullptr, SW_SHOWMAXIMIZED);
        Sleep(kPauseAfterRegisterMs);
        OpenConclusionPage(page);
        break;
    case IDC_REG_LATER_HIGHLIGHT:
        EndDialog(page, 0);
        OpenConclusionPage(page);
        QuitWizard(page);
        break;
    default:
        break;
    }
}

const PageDefinition kRegistrationPage{
    .pairs = kRegistrationPairs,
    .clickable = kRegistrationClickable,
    .controlProc = RegistrationButtonProc,
    .onQuitKey = AskQuitOwnedByPage,
    .start = StartRegistrationPage,
    .onClick = OnRegistrationClick,
};

}  // namespace

void OpenRegistrationPage(HWND owner)
{
    DialogBoxParamA(g_app.hInstance, "REGISTRATION", owner, RegistrationDlgProc, 0);
}

INT_PTR CALLBACK RegistrationDlgProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPageDialog(kRegistrationPage, page, msg, wParam, lParam);
}

LRESULT CALLBACK RegistrationButtonProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPageControl(control, msg, wParam, lParam);
}
