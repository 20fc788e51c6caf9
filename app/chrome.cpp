#include "app/chrome.h"

#include <array>

#include "app/app_context.h"
#include "app/chrome_logic.h"
#include "app/message_boxes.h"
#include "app/scoped_gdi.h"
#include "res/resource.h"

PressState g_press{-1, -1, nullptr};
BYTE fAboutOpen = 0;

namespace {

constexpr std::size_t kMaxPairs = 4;
constexpr std::size_t kMaxSubclassed = 16;   // clickable and keyboard controls of one page
constexpr COLORREF kDotsBlack = RGB(0, 0, 0);
constexpr COLORREF kDotsWhite = RGB(255, 255, 255);

struct SavedProcedure {
    HWND control;
    WNDPROC procedure;
};

// One per living page, kept in the page's DWLP_USER slot from WM_INITDIALOG to
// WM_NCDESTROY. A page nested inside another page of the same kind (a second
// CONFIGURATION) therefore never overwrites the state of the first.
struct PageRecord {
    const PageDefinition* definition;
    std::array<ButtonPair, kMaxPairs> pairs;
    std::size_t pairCount;
    std::array<SavedProcedure, kMaxSubclassed> saved;
    std::size_t savedCount;

    WNDPROC SavedFor(HWND control) const
    {
        for (std::size_t i = 0; i < savedCount; ++i)
            if (saved[i].control == control)
                return saved[i].procedure;
        return nullptr;
    }
};

PageRecord* RecordOf(HWND page)
{
    return page ? reinterpret_cast<PageRecord*>(GetWindowLongPtrA(page, DWLP_USER)) : nullptr;
}

void AttachRecord(HWND page, const PageDefinition& definition)
{
    auto* record = new PageRecord{};
    record->definition = &definition;
    SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(record));
}

void DetachRecord(HWND page)
{
    delete RecordOf(page);
    SetWindowLongPtrA(page, DWLP_USER, 0);
}

void DrawDots(HWND control, COLORREF colour)
{
    gdi::WindowDC dc(control);
    if (!dc)
        return;
    RECT client{};
    GetClientRect(control, &client);
    gdi::Pen pen(CreatePen(PS_DOT, 1, colour));
    gdi::Selection usePen(dc.get(), pen.get());
    gdi::Selection useBrush(dc.get(), GetStockObject(HOLLOW_BRUSH));
    Rectangle(dc.get(), client.left, client.top, client.right, client.bottom);
}

// Installed on a page's keyboard controls: a key press there is a message the page
// receives too, before the control handles it.
LRESULT CALLBACK KeyboardControlProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND page = GetParent(control);
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN)
        SendMessageA(page, WM_NULL, 0, 0);
    const PageRecord* record = RecordOf(page);
    const WNDPROC saved = record ? record->SavedFor(control) : nullptr;
    return saved ? CallWindowProcA(saved, control, msg, wParam, lParam) : DefWindowProcA(control, msg, wParam, lParam);
}

void UpdatePageHover(HWND page)
{
    PageRecord* record = RecordOf(page);
    if (!record || (record->definition->hoverPaused && record->definition->hoverPaused()))
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    for (std::size_t i = 0; i < record->pairCount; ++i)
        UpdateButtonHover(page, record->pairs[i], cursor.x, cursor.y);
}

}  // namespace

void UpdateButtonHover(HWND page, ButtonPair& pair, LONG x, LONG y)
{
    HWND normal = GetDlgItem(page, pair.idNormal);
    RECT area{};
    GetWindowRect(normal, &area);  // the normal control keeps its place while hidden
    switch (chrome::HoverTransition(chrome::IsInsideInclusive(area, x, y), pair.fNormalShown)) {
    case chrome::HoverChange::ShowHighlight:
        ShowWindow(GetDlgItem(page, pair.idHighlight), SW_SHOW);
        ShowWindow(normal, SW_HIDE);
        pair.fNormalShown = 0;
        break;
    case chrome::HoverChange::ShowNormal:
        ShowWindow(normal, SW_SHOW);
        ShowWindow(GetDlgItem(page, pair.idHighlight), SW_HIDE);
        pair.fNormalShown = 1;
        break;
    case chrome::HoverChange::None:
        break;
    }
}

BOOL IsClickInside(HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    // The press point is converted once; a second release on the same press tests
    // the already converted point again and so fails away from the screen's corner.
    g_press.xPress += rect.left;
    g_press.yPress += rect.top;
    return chrome::IsInsideInclusive(rect, g_press.xPress, g_press.yPress) && g_press.hwndPressed == control;
}

void CenterPage(HWND page)
{
    RECT rect{};
    GetWindowRect(page, &rect);
    const auto origin =
        chrome::CenteredOrigin(g_app.cxScreen, g_app.cyScreen, rect.right - rect.left, rect.bottom - rect.top);
    // Not activated here: the page is activated once, when the dialog manager shows it.
    SetWindowPos(page, HWND_TOP, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void ConfirmQuit(HWND owner, HWND page)
{
    if (ShowMessageBox(owner, boxes::kQuitQuestion) == IDYES)
        QuitWizard(page);
}

void QuitWizard(HWND page)
{
    ReleaseOffscreen();
    EndDialog(page, 0);
    PostQuitMessage(0);
}

void SubclassPageButtons(HWND page, WNDPROC procedure, std::span<const int> controls)
{
    PageRecord* record = RecordOf(page);
    if (!record)
        return;
    for (int id : controls) {
        HWND control = GetDlgItem(page, id);
        if (!control || record->savedCount == record->saved.size())
            continue;
        auto previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
        record->saved[record->savedCount++] = {control, previous};
    }
}

void RestorePageButtons(HWND page)
{
    PageRecord* record = RecordOf(page);
    if (!record)
        return;
    for (std::size_t i = 0; i < record->savedCount; ++i)
        SetWindowLongPtrA(record->saved[i].control, GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(record->saved[i].procedure));
    record->savedCount = 0;
}

void DrawFocusDots(HWND control) { DrawDots(control, kDotsBlack); }

void EraseFocusDots(HWND control) { DrawDots(control, kDotsWhite); }

void SetPairs(HWND page)
{
    PageRecord* record = RecordOf(page);
    if (!record)
        return;
    const auto& ids = record->definition->pairs;
    record->pairCount = 0;
    for (const PairIds& pair : ids) {
        if (record->pairCount == record->pairs.size())
            break;
        record->pairs[record->pairCount++] = {pair.idNormal, pair.idHighlight, 1};
    }
}

void ShowNormalImages(HWND page)
{
    PageRecord* record = RecordOf(page);
    if (!record)
        return;
    // The hover state follows: a hover update that ran earlier in the page start
    // (edits notify the page while their texts are set) must not leave a pair
    // believing its highlighted image is shown.
    for (std::size_t i = 0; i < record->pairCount; ++i) {
        ShowWindow(GetDlgItem(page, record->pairs[i].idHighlight), SW_HIDE);
        ShowWindow(GetDlgItem(page, record->pairs[i].idNormal), SW_SHOW);
        record->pairs[i].fNormalShown = 1;
    }
}

void ResetPressPoint()
{
    g_press.xPress = -1;
    g_press.yPress = -1;
}

void SetWizardTitle(HWND page) { SetWindowTextA(page, kWizardTitle); }

BOOL StandardPageStart(HWND page, Placement placement)
{
    PageRecord* record = RecordOf(page);
    if (!record)
        return TRUE;
    SetPairs(page);
    if (placement == Placement::Centred)
        CenterPage(page);
    ShowNormalImages(page);
    SubclassPageButtons(page, record->definition->controlProc, record->definition->clickable);
    ResetPressPoint();
    SetWizardTitle(page);
    return TRUE;
}

void AskQuitOwnedByPage(HWND page) { ConfirmQuit(page, page); }

// The introduction asks without an owner: the box is not modal to the page.
void AskQuitWithoutOwner(HWND page) { ConfirmQuit(nullptr, page); }

void MinimisePage(HWND page) { ShowWindow(page, SW_MINIMIZE); }

bool OnGlyphClick(HWND page, int controlId)
{
    switch (controlId) {
    case IDC_GLYPH_CLOSE:
        ConfirmQuit(page, page);
        return true;
    case IDC_GLYPH_MINIMISE:
        MinimisePage(page);
        return true;
    default:
        return false;
    }
}

INT_PTR RunPageDialog(const PageDefinition& definition, HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Read on every message, whichever page is active, so that a held F4 asks once.
    const SHORT f4State = GetAsyncKeyState(VK_F4);
    if (GetActiveWindow() == page && chrome::IsFreshKeyPress(f4State))
        definition.onQuitKey(page);

    switch (msg) {
    case WM_INITDIALOG: {
        AttachRecord(page, definition);
        const BOOL started = definition.start(page);
        SubclassPageButtons(page, KeyboardControlProc, definition.keyboardControls);
        if (definition.focusOnPage && started) {
            // FALSE: the dialog manager leaves the focus alone; the page takes it
            // itself when it is activated (WM_ACTIVATE below).
            return FALSE;
        }
        return started;
    }
    case WM_DESTROY:
        RestorePageButtons(page);
        return TRUE;
    case WM_NCDESTROY:
        DetachRecord(page);
        return FALSE;
    default:
        break;
    }

    if (definition.focusOnPage) {
        if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && !IsIconic(page)) {
            SetFocus(page);
            UpdatePageHover(page);
            return TRUE;  // the dialog manager would move the focus to a control
        }
        if (msg == WM_SETFOCUS) {
            UpdatePageHover(page);
            return TRUE;
        }
    }

    if (definition.onMessage) {
        if (auto result = definition.onMessage(page, msg, wParam, lParam))
            return *result;
    }

    if (msg == WM_LBUTTONDOWN) {
        // Only the background and the normal controls let a press through to the page:
        // the whole face, painted title bar included, is a handle for dragging.
        SendMessageA(page, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
    UpdatePageHover(page);
    return FALSE;
}

LRESULT RunPageControl(HWND control, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND page = GetParent(control);
    const PageRecord* record = RecordOf(page);

    switch (msg) {
    case WM_LBUTTONDOWN:
        g_press.xPress = chrome::PressCoordinate(lParam, false);
        g_press.yPress = chrome::PressCoordinate(lParam, true);
        g_press.hwndPressed = control;
        return 1;
    case WM_LBUTTONUP:
        // A static control does not capture the mouse: the release reaches this
        // control only while the cursor is over it.
        if (IsClickInside(control) && record)
            record->definition->onClick(page, GetDlgCtrlID(control));
        return 1;
    default:
        break;
    }

    const WNDPROC saved = record ? record->SavedFor(control) : nullptr;
    if (!saved)
        return DefWindowProcA(control, msg, wParam, lParam);
    // A bitmap static answers the hit test with HTTRANSPARENT; reporting any
    // non-zero answer as 1 (HTCLIENT) makes the clickable controls receive the mouse.
    if (CallWindowProcA(saved, control, msg, wParam, lParam) != 0)
        return 1;
    return DefWindowProcA(control, msg, wParam, lParam);
}
