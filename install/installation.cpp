// The Install action: confirm the port, check the name, fill the record of the
// running system's family, let the library install, report the outcome, and on
// success go on to REGISTRATION.
#include "install/installation.h"

#include <setupapi.h>

#include <cstring>
#include <iterator>

#include "app/bounded_string.h"
#include "app/message_boxes.h"
#include "install/catalogue.h"
#include "install/corvane_api.h"
#include "install/install_rules.h"
#include "install/install_state.h"
#include "install/printer_info.h"
#include "install/trace.h"
#include "pages/pages.h"
#include "res/resource.h"
#include "testpage/test_page.h"

namespace {

constexpr char kSetupFileName[] = "\\KYVSETUP.INF";

struct Attempt {
    HWND page;
    int model = -1;
    OSVERSION version = OS_UNKNOWN;   // stays unknown unless the library writes a code
    char nameCopy[kPrinterNameMaxChars + 1] = "";
    bool unsupportedShown = false;
};

bool ConfirmPort(HWND page)
{
    char question[kMessageChars];
    ComposeConfirmation(g_installState.szPort, question);
    return MessageBoxA(GetDlgItem(page, IDC_CONFIG_INSTALL_HIGHLIGHT), question, boxes::kConfirmationCaption,
                       boxes::kConfirmationFlags) == IDYES;
}

bool IsChecked(HWND check) { return SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }

int SelectedModel(HWND page)
{
    return static_cast<int>(SendDlgItemMessageA(page, IDC_CONFIG_MODEL_LIST, LB_GETCURSEL, 0, 0));
}

void ReadInputs(Attempt& attempt)
{
    attempt.model = SelectedModel(attempt.page);
    GetDlgItemTextA(attempt.page, IDC_CONFIG_NAME_EDIT, g_installState.szPrinter,
                    static_cast<int>(std::size(g_installState.szPrinter)));
    text::Copy(attempt.nameCopy, g_installState.szPrinter);
    g_installState.bPrintTestPage = IsChecked(g_configPage.hTestPageCheck) ? 1 : 0;
}

// Refusals keep the page in its input form; the focus goes where the fault is.
bool AcceptInputs(const Attempt& attempt)
{
    const NameProblem problem = CheckPrinterName(g_installState.szPrinter);
    if (problem != NameProblem::None) {
        ShowMessageBox(attempt.page, problem == NameProblem::Empty ? boxes::kEmptyName : boxes::kRefusedCharacter);
        SetFocus(GetDlgItem(attempt.page, IDC_CONFIG_NAME_EDIT));
        return false;
    }
    if (!IsValidModel(attempt.model)) {
        ShowMessageBox(attempt.page, boxes::kNoModel);
        SetFocus(GetDlgItem(attempt.page, IDC_CONFIG_MODEL_LIST));
        return false;
    }
    return true;
}

void QueryVersion(Attempt& attempt)
{
    const DWORD result = GetOperatingSystemVersionA(&attempt.version);
    char line[256];
    text::Format(line, "Error Code:%lu", static_cast<unsigned long>(result));
    trace::Emit(line);
    if (result == CORVANE_OS_NOT_SUPPORTED) {
        ShowMessageBox(attempt.page, boxes::kUnsupportedSystem);
        attempt.unsupportedShown = true;
    }
    trace::Emit("checking whether the OS is win9x series");
}

bool WantsDefault() { return IsChecked(g_configPage.hDefaultCheck); }

DWORD InstallOn95(const Attempt& attempt)
{
    trace::Emit("OS is win9x Series");
    _PRINTERINFO_95 record;
    std::memset(&record, 0, sizeof record);
    GetPrinterInfo(attempt.model, &record);
    text::Copy(record.szPrinterName, attempt.nameCopy);
    text::Copy(record.szDriverName, ModelTable[attempt.model].szModelName);
    g_installState.bMakeDefault = WantsDefault() ? 1 : 0;
    if (g_installState.bMakeDefault)
        record.dwAttributes |= CORVANE_ATTRIBUTE_DEFAULT;
    trace::Emit("calling Install Pinter Driver");
    DWORD result = InstallPrinterDriverA(&record);
    if (result == CORVANE_ADD_PRINTER_NEXT)
        result = AddPrinterToPrinterListA(&record);
    return result;
}

DWORD InstallOnNt(Attempt& attempt)
{
    _PRINTERINFO_NTA record;
    std::memset(&record, 0, sizeof record);
    GetPrinterInfo(attempt.model, &record, &attempt.version);
    text::Copy(record.szPrinterName, attempt.nameCopy);
    text::Copy(record.szDriverName, ModelTable[attempt.model].szModelName);
    g_installState.bMakeDefault = WantsDefault() ? 1 : 0;
    if (g_installState.bMakeDefault)
        record.dwAttributes = CORVANE_ATTRIBUTE_LOCAL | CORVANE_ATTRIBUTE_DEFAULT;

    // The source path ends with a backslash already; the doubled one is harmless.
    char setupFile[CORVANE_PATH_CHARS];
    text::Copy(setupFile, record.szSourcePath);
    text::Append(setupFile, kSetupFileName);
    SetupCopyOEMInfA(setupFile, nullptr, SPOST_NONE, SP_COPY_NEWER, nullptr, 0, nullptr, nullptr);

    const DWORD result = InstallPrinterDriverA(&record);
    if (result == 0 && g_installState.bMakeDefault) {
        char entry[kDefaultEntryChars];
        ComposeDefaultEntry(record.szPrinterName, record.szDriverName, record.szPortName, entry);
        WriteProfileStringA("windows", "Device", entry);
    }
    return result;
}

void ReportFailure(HWND page, DWORD result)
{
    char systemMessage[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, result, 0, systemMessage,
                   static_cast<DWORD>(std::size(systemMessage)), nullptr);
    systemMessage[std::size(systemMessage) - 1] = '\0';
    char report[kErrorTextChars];
    ComposeFailureText(result, systemMessage, report);
    MessageBoxA(page, report, boxes::kSetwright, boxes::kFailureFlags);
}

void PrintTestPageFor(const Attempt& attempt)
{
    const DWORD model = static_cast<DWORD>(attempt.model);
    if (UsesReceiptPage(ModelTable[attempt.model].szModelName))
        PrintReceiptTestPage(model, &attempt.version, attempt.nameCopy);
    else
        PrintTestPage(model, &attempt.version, attempt.nameCopy);
}

void InstalledTail(const Attempt& attempt)
{
    g_installState.bInstalled = 1;
    RestoreConfigPage();
    text::Copy(g_installState.szSummaryPrinter, g_installState.szPrinter);
    const int model = SelectedModel(attempt.page);
    text::Copy(g_installState.szSummaryModel, IsValidModel(model) ? ModelTable[model].szModelName : "");
    text::Copy(g_installState.szSummaryPort, g_installState.szPort);
    // The page ends itself first; REGISTRATION nests inside this call.
    EndDialog(attempt.page, 0);
    OpenRegistrationPage(attempt.page);
}

void FailedAttempt(HWND page, const MessageBoxText* box)
{
    RestoreConfigPage();
    if (box)
        ShowMessageBox(page, *box);
    g_installState.bInstalled = 0;
}

}  // namespace

void RunInstallation(HWND page)
{
    if (!ConfirmPort(page))
        return;
    Attempt attempt{page};
    ReadInputs(attempt);
    if (!AcceptInputs(attempt))
        return;

    ShowConfigBusyForm();
    QueryVersion(attempt);

    DWORD result = 0;
    switch (FamilyOf(attempt.version)) {
    case OsFamily::Win95:
        result = InstallOn95(attempt);
        break;
    case OsFamily::NT40:
    case OsFamily::NT5:
        result = InstallOnNt(attempt);
        break;
    case OsFamily::None:
        // No family, no record and no library call: nothing was installed.
        FailedAttempt(page, attempt.unsupportedShown ? nullptr : &boxes::kUnsupportedSystem);
        return;
    }

    switch (OutcomeOf(result)) {
    case Outcome::Installed:
        ShowMessageBox(page, boxes::kInstalled);
        if (g_installState.bPrintTestPage)
            PrintTestPageFor(attempt);
        InstalledTail(attempt);
        break;
    case Outcome::NoPrivileges:
        FailedAttempt(page, &boxes::kNoPrivileges);
        break;
    case Outcome::SpoolerDown:
        FailedAttempt(page, &boxes::kSpoolerDown);
        break;
    case Outcome::AlreadyInstalled:
        FailedAttempt(page, &boxes::kAlreadyInstalled);
        break;
    case Outcome::Failed:
        // A result we do not know is a failure, never an installed printer.
        RestoreConfigPage();
        ReportFailure(page, result);
        g_installState.bInstalled = 0;
        break;
    }
}
