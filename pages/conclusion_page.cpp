// CONCLUSION: what was installed, then Finish or another installation.
#include <array>

#include "app/app_context.h"
#include "app/chrome.h"
#include "install/install_state.h"
#include "pages/pages.h"
#include "res/resource.h"

namespace {

constexpr std::array<PairIds, 2> kConclusionPairs{{
    {IDC_CONCL_FINISH_NORMAL, IDC_CONCL_FINISH_HIGHLIGHT},
    {IDC_CONCL_ANOTHER_NORMAL, IDC_CONCL_ANOTHER_HIGHLIGHT},
}};

constexpr std::array<int, 4> kConclusionClickable{
    IDC_CONCL_ANOTHER_HIGHLIGHT, IDC_CONCL_FINISH_HIGHLIGHT, IDC_GLYPH_CLOSE, IDC_GLYPH_MINIMISE,
};

constexpr std::array<int, 5> kSummaryFields{
    IDC_CONCL_DEFAULT_FIELD, IDC_CONCL_TESTPAGE_FIELD, IDC_CONCL_PRINTER_FIELD, IDC_CONCL_MODEL_FIELD,
    IDC_CONCL_PORT_FIELD,
};

const char* YesNo(BYTE flag) { return flag ? "Yes" : "No"; }

BOOL StartConclusionPage(HWND page)
{
    SetPairs(page);
    SetDlgItemTextA(page, IDC_CONCL_PRINTER_FIELD, g_installState.szSummaryPrinter);
    SetDlgItemTextA(page, IDC_CONCL_PORT_FIELD, g_installState.szSummaryPort);
    SetDlgItemTextA(page, IDC_CONCL_MODEL_FIELD, g_installState.szSummaryModel);
    SetDlgItemTextA(page, IDC_CONCL_DEFAULT_FIELD, YesNo(g_installState.bMakeDefault));
    SetDlgItemTextA(page, IDC_CONCL_TESTPAGE_FIELD, YesNo(g_installState.bPrintTestPage));
    ShowNormalImages(page);
    SubclassPageButtons(page, ConclusionButtonProc, kConclusionClickable);
    ResetPressPoint();
    SetWizardTitle(page);
    return TRUE;
}

bool IsSummaryField(HWND page, HWND control)
{
    for (int id : kSummaryFields)
        if (GetDlgItem(page, id) == control)
            return true;
    return false;
}

// Read-only edits ask for static colours: white, like the panel behind them.
std::optional<INT_PTR> OnConclusionMessage(HWND page, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg == WM_CTLCOLORSTATIC && IsSummaryField(page, reinterpret_cast<HWND>(lParam)))
        return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    return std::nullopt;
}

void OnConclusionClick(HWND page, int controlId)
{
    if (OnGlyphClick(page, controlId))
        return;
    switch (controlId) {
    case IDC_CONCL_FINISH_HIGHLIGHT:
        QuitWizard(page);
        break;
    case IDC_CONCL_ANOTHER_HIGHLIGHT:
        // A fresh CONFIGURATION; the state keeps its values until the next attempt.
        EndDialog(page, 0);
        OpenConfigurationPage(page);
        break;
    default:
        break;
    }
}

const PageDefinition kConclusionPage{
    .pairs = kConclusionPairs,
    .clickable = kConclusionClickable,
    .controlProc = ConclusionButtonProc,
    .onQuitKey = AskQuitOwnedByPage,
    .start = StartConclusionPage,
    .onClick = OnConclusionClick,
    .onMessage = OnConclusionMessage,
};

}  // namespace

void OpenConclusionPage(HWND owner)
{
    DialogBoxParamA(g_app.hInstance, "CONCLUSION", owner, ConclusionDlgProc, 0);
}

INT_PTR CALLBACK ConclusionDlgProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPageDialog(kConclusionPage, page, msg, wParam, lParam);
}

LRESULT CALLBACK ConclusionButtonProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPageControl(control, msg, wParam, lParam);
}
