#include "install/install_rules.h"

#include <cstring>

#include "app/bounded_string.h"
#include "install/corvane_api.h"

namespace {

constexpr char kRefusedCharacters[] = "!=;\\,";
constexpr const char* kReceiptModels[] = {"Kyv RT 12", "Kyv PK 700", "Kyv PK 700 (ESC POS)"};

}  // namespace

NameProblem CheckPrinterName(const char* name)
{
    bool hasNonBlank = false;
    for (const char* c = name; *c; ++c)
        hasNonBlank = hasNonBlank || *c != ' ';
    if (!hasNonBlank)
        return NameProblem::Empty;
    for (const char* refused = kRefusedCharacters; *refused; ++refused)
        if (std::strchr(name, *refused))
            return NameProblem::RefusedCharacter;
    return NameProblem::None;
}

Outcome OutcomeOf(DWORD result)
{
    switch (result) {
    case 0:
        return Outcome::Installed;
    case ERROR_ACCESS_DENIED:
        return Outcome::NoPrivileges;
    case RPC_S_SERVER_UNAVAILABLE:
    case ERROR_INVALID_NAME:
        return Outcome::SpoolerDown;
    case CORVANE_ADD_PRINTER_NEXT:
    case CORVANE_ALREADY_INSTALLED:
        return Outcome::AlreadyInstalled;
    default:
        return Outcome::Failed;
    }
}

void ComposeDefaultEntry(const char* printer, const char* driver, const char* port, char (&entry)[kDefaultEntryChars])
{
    text::Copy(entry, printer);
    text::Append(entry, ",");
    text::Append(entry, driver);
    text::Append(entry, ",");
    text::Append(entry, port);
}

void ComposeConfirmation(const char* port, char (&text)[kMessageChars])
{
    text::Copy(text, "You selected the port ");
    text::Append(text, port);
    text::Append(text, "\nEnsure that you have selected right port.\nPress Yes to Continue.");
}

void ComposeFailureText(DWORD result, const char* systemMessage, char (&text)[kErrorTextChars])
{
    text::Format(text, "\rPrinter driver installation is failed.\r\rError code: 0x%08lX", static_cast<unsigned long>(result));
    if (systemMessage && *systemMessage) {
        text::Append(text, "\r");
        text::Append(text, systemMessage);
    }
}

bool UsesReceiptPage(const char* modelName)
{
    for (const char* receipt : kReceiptModels)
        if (std::strstr(modelName, receipt))
            return true;
    return false;
}
