// CONFIGURATION: model, printer name, port and the two choices; Install runs the
// installation.
#include <array>
#include <memory>

#include "app/app_context.h"
#include "app/bounded_string.h"
#include "app/chrome.h"
#include "install/catalogue.h"
#include "install/install_state.h"
#include "install/installation.h"
#include "pages/pages.h"
#include "res/resource.h"

#include <winspool.h>

ConfigPageState g_configPage{};

namespace {

constexpr int kPortReadChars = kPortNameMaxChars + 1;
constexpr int kModelTextChars = 50;

constexpr std::array<PairIds, 2> kConfigPairs{{
    {IDC_CONFIG_INSTALL_NORMAL, IDC_CONFIG_INSTALL_HIGHLIGHT},
    {IDC_CONFIG_CANCEL_NORMAL, IDC_CONFIG_CANCEL_HIGHLIGHT},
}};

constexpr std::array<int, 6> kConfigClickable{
    IDC_CONFIG_INSTALL_HIGHLIGHT, IDC_CONFIG_CANCEL_HIGHLIGHT, IDC_CONFIG_DEFAULT_LABEL,
    IDC_CONFIG_TESTPAGE_LABEL,    IDC_GLYPH_CLOSE,             IDC_GLYPH_MINIMISE,
};

constexpr std::array<int, 5> kConfigKeyboardControls{
    IDC_CONFIG_MODEL_LIST, IDC_CONFIG_NAME_EDIT, IDC_CONFIG_DEFAULT_CHECK, IDC_CONFIG_TESTPAGE_CHECK, IDC_CONFIG_PORT_LIST,
};

struct LocalMemoryDeleter {
    void operator()(void* memory) const { LocalFree(memory); }
};
using LocalBuffer = std::unique_ptr<BYTE, LocalMemoryDeleter>;

void ReadPortIntoState(HWND page)
{
    GetDlgItemTextA(page, IDC_CONFIG_PORT_LIST, g_installState.szPort, kPortReadChars);
}

void PutSelectedModelName(HWND page)
{
    const auto selection = SendDlgItemMessageA(page, IDC_CONFIG_MODEL_LIST, LB_GETCURSEL, 0, 0);
    if (selection >= 0 && IsValidModel(static_cast<int>(selection)))
        SetDlgItemTextA(page, IDC_CONFIG_NAME_EDIT, ModelTable[selection].szModelName);
}

void FillModelList(HWND page)
{
    for (const MODELINFO& model : ModelTable)
        SendDlgItemMessageA(page, IDC_CONFIG_MODEL_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(model.szModelName));
    SendDlgItemMessageA(page, IDC_CONFIG_MODEL_LIST, LB_SETCURSEL, 0, 0);
    SetDlgItemTextA(page, IDC_CONFIG_NAME_EDIT, ModelTable[0].szModelName);
}

// The list sorts the ports itself; the first one is proposed. When the ports cannot
// be listed the list stays empty and szPort keeps the previous attempt's port.
void FillPortList(HWND page)
{
    DWORD needed = 0;
    DWORD count = 0;
    EnumPortsA(nullptr, 2, nullptr, 0, &needed, &count);
    if (needed == 0)
        return;
    LocalBuffer buffer(static_cast<BYTE*>(LocalAlloc(LPTR, needed)));
    if (!buffer)
        return;  // the rest of the page still works without a port list
    if (!EnumPortsA(nullptr, 2, buffer.get(), needed, &needed, &count))
        return;
    const auto* ports = reinterpret_cast<const PORT_INFO_2A*>(buffer.get());
    for (DWORD i = 0; i < count; ++i)
        SendMessageA(g_configPage.hPortCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ports[i].pPortName));
    SendMessageA(g_configPage.hPortCombo, CB_SETCURSEL, 0, 0);
    ReadPortIntoState(page);
}

BOOL StartConfigPage(HWND page)
{
    g_configPage = {GetDlgItem(page, IDC_CONFIG_BANNER),        GetDlgItem(page, IDC_CONFIG_DEFAULT_LABEL),
                    GetDlgItem(page, IDC_CONFIG_TESTPAGE_LABEL), GetDlgItem(page, IDC_CONFIG_DEFAULT_CHECK),
                    GetDlgItem(page, IDC_CONFIG_TESTPAGE_CHECK), GetDlgItem(page, IDC_CONFIG_PORT_LIST)};
    ShowWindow(g_configPage.hBanner, SW_HIDE);
    SetPairs(page);
    ShowNormalImages(page);
    FillModelList(page);
    FillPortList(page);
    SendDlgItemMessageA(page, IDC_CONFIG_NAME_EDIT, EM_LIMITTEXT, kPrinterNameMaxChars, 0);
    SetDlgItemTextA(page, IDC_CONFIG_NAME_EDIT, ModelTable[0].szModelName);
    CenterPage(page);
    SubclassPageButtons(page, ConfigButtonProc, kConfigClickable);
    ResetPressPoint();
    SetWizardTitle(page);
    return TRUE;  // the dialog manager gives the focus to the model list
}

void OnModelListNotification(HWND page, WORD notification)
{
    // Every notification of the list, focus changes included, proposes its model.
    PutSelectedModelName(page);
    if (notification != LBN_DBLCLK)
        return;
    char item[kModelTextChars] = "";
    const auto selection = SendDlgItemMessageA(page, IDC_CONFIG_MODEL_LIST, LB_GETCURSEL, 0, 0);
    if (selection >= 0 &&
        SendDlgItemMessageA(page, IDC_CONFIG_MODEL_LIST, LB_GETTEXTLEN, static_cast<WPARAM>(selection), 0) <
            kModelTextChars)
        SendDlgItemMessageA(page, IDC_CONFIG_MODEL_LIST, LB_GETTEXT, static_cast<WPARAM>(selection),
                            reinterpret_cast<LPARAM>(item));
    HWND edit = GetDlgItem(page, IDC_CONFIG_NAME_EDIT);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, static_cast<LPARAM>(lstrlenA(item)));
}

std::optional<INT_PTR> OnConfigMessage(HWND page, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg != WM_COMMAND)
        return std::nullopt;
    const WORD id = LOWORD(wParam);
    const WORD notification = HIWORD(wParam);
    switch (id) {
    case IDC_CONFIG_DEFAULT_CHECK:
    case IDC_CONFIG_TESTPAGE_CHECK: {
        HWND label = id == IDC_CONFIG_DEFAULT_CHECK ? g_configPage.hDefaultLabel : g_configPage.hTestPageLabel;
        if (notification == BN_SETFOCUS)
            DrawFocusDots(label);
        else if (notification == BN_KILLFOCUS)
            EraseFocusDots(label);
        break;
    }
    case IDC_CONFIG_MODEL_LIST:
        OnModelListNotification(page, notification);
        break;
    case IDC_CONFIG_PORT_LIST:
        ReadPortIntoState(page);
        break;
    default:
        break;
    }
    return std::nullopt;  // hover updates follow, and the message counts as not handled
}

void ToggleWithLabel(HWND check, HWND label, HWND otherLabel)
{
    EraseFocusDots(otherLabel);
    DrawFocusDots(label);
    SetFocus(check);
    const bool checked = SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendMessageA(check, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
}

void OnConfigClick(HWND page, int controlId)
{
    if (OnGlyphClick(page, controlId))
        return;
    switch (controlId) {
    case IDC_CONFIG_DEFAULT_LABEL:
        ToggleWithLabel(g_configPage.hDefaultCheck, g_configPage.hDefaultLabel, g_configPage.hTestPageLabel);
        break;
    case IDC_CONFIG_TESTPAGE_LABEL:
        ToggleWithLabel(g_configPage.hTestPageCheck, g_configPage.hTestPageLabel, g_configPage.hDefaultLabel);
        break;
    case IDC_CONFIG_CANCEL_HIGHLIGHT:
        ConfirmQuit(page, page);
        break;
    case IDC_CONFIG_INSTALL_HIGHLIGHT:
        RunInstallation(page);
        break;
    default:
        break;
    }
}

const PageDefinition kConfigPage{
    .pairs = kConfigPairs,
    .clickable = kConfigClickable,
    .controlProc = ConfigButtonProc,
    .onQuitKey = AskQuitOwnedByPage,
    .start = StartConfigPage,
    .onClick = OnConfigClick,
    .onMessage = OnConfigMessage,
    .focusOnPage = false,  // the model list, the name and the check boxes take the keyboard
    .keyboardControls = kConfigKeyboardControls,
};

}  // namespace

namespace {

// The controls that the busy banner covers, in the order they are hidden and shown.
std::array<HWND, 5> BannerCoveredControls()
{
    return {g_configPage.hDefaultLabel, g_configPage.hTestPageLabel, g_configPage.hDefaultCheck,
            g_configPage.hTestPageCheck, g_configPage.hPortCombo};
}

}  // namespace

void ShowConfigBusyForm()
{
    // A focused control that is about to be hidden would hand the focus to the page,
    // and the dialog manager would pass it on to the model list, whose notification
    // replaces the typed name. The name edit stays visible: keep the focus there.
    HWND focus = GetFocus();
    for (HWND covered : BannerCoveredControls()) {
        if (focus == covered || IsChild(covered, focus)) {
            SetFocus(GetDlgItem(GetParent(g_configPage.hBanner), IDC_CONFIG_NAME_EDIT));
            break;
        }
    }
    ShowWindow(g_configPage.hBanner, SW_SHOW);
    for (HWND covered : BannerCoveredControls())
        ShowWindow(covered, SW_HIDE);
    // The installation runs on this thread: without this the banner would never show.
    // The artwork behind the hidden controls repaints first, so that it cannot paint
    // over the banner afterwards, then the banner itself.
    RedrawWindow(GetParent(g_configPage.hBanner), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RedrawWindow(g_configPage.hBanner, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void RestoreConfigPage()
{
    for (HWND covered : BannerCoveredControls())
        ShowWindow(covered, SW_SHOW);
    ShowWindow(g_configPage.hBanner, SW_HIDE);
}

void OpenConfigurationPage(HWND owner)
{
    DialogBoxParamA(g_app.hInstance, "CONFIGURATION", owner, ConfigDlgProc, 0);
}

INT_PTR CALLBACK ConfigDlgProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPageDialog(kConfigPage, page, msg, wParam, lParam);
}

LRESULT CALLBACK ConfigButtonProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPageControl(control, msg, wParam, lParam);
}
