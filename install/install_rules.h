// The window-free rules of one installation attempt: name checks, outcome of a
// library result, the texts composed from the user's choices.
#pragma once

#include <windows.h>

#include <cstddef>

#include "app/message_boxes.h"

enum class NameProblem { None, Empty, RefusedCharacter };

// Empty means nothing but blanks (only code 32; a tab counts as a character).
// The refused characters are tested in the order ! = ; \ ,
NameProblem CheckPrinterName(const char* name);

enum class Outcome {
    Installed,          // 0: success box, test page when asked, then the next page
    NoPrivileges,       // 5
    SpoolerDown,        // 1722, 123
    AlreadyInstalled,   // 32, 0x20000003
    Failed,             // anything else: reported with its code, the page stays
};

Outcome OutcomeOf(DWORD result);

// "Front Desk,Kyv QL 620,LPT1:" in 100 characters (99 kept).
inline constexpr std::size_t kDefaultEntryChars = 100;
void ComposeDefaultEntry(const char* printer, const char* driver, const char* port, char (&entry)[kDefaultEntryChars]);

inline constexpr std::size_t kMessageChars = 260;
void ComposeConfirmation(const char* port, char (&text)[kMessageChars]);

// The failure report for a result that is none of the known ones: its code in hex
// and, where the system has one, the system's message for it.
inline constexpr std::size_t kErrorTextChars = 512;
void ComposeFailureText(DWORD result, const char* systemMessage, char (&text)[kErrorTextChars]);

// Receipt printers get the narrow test page.
bool UsesReceiptPage(const char* modelName);

namespace boxes {

inline constexpr char kSetwright[] = "Setwright";
inline constexpr MessageBoxText kEmptyName{
    "You need to specify a printer name.\rPrinter name should not be more than 30 characters long.", kSetwright,
    MB_OK | MB_ICONERROR};
inline constexpr MessageBoxText kRefusedCharacter{
    "A printer name cannot contain characters '=', ';', '!', '\\',  or  ','. Specify a new printer name.",
    kSetwright, MB_OK | MB_ICONERROR};
inline constexpr MessageBoxText kNoModel{"You need to select a printer model.", kSetwright, MB_OK | MB_ICONERROR};
inline constexpr MessageBoxText kUnsupportedSystem{"Driver Doesnot supports this Operating System", kSetwright,
                                                   MB_OK | MB_ICONERROR};
inline constexpr MessageBoxText kInstalled{"Printer driver installed successfully.", kSetwright,
                                           MB_OK | MB_ICONINFORMATION};
inline constexpr MessageBoxText kNoPrivileges{
    "\rPrinter driver installation is failed.\r\rPossible causes are :\r\t1. Insufficient privilages to install new "
    "local printer driver.\r\t2. Insufficient privilages to copy files to system folder.\r\rPlease contact your "
    "system administrator.",
    kSetwright, MB_OK | MB_ICONERROR};
inline constexpr MessageBoxText kSpoolerDown{
    "The RPC server is unavailable.\rTurn on the spooler service may solve the problem.", kSetwright,
    MB_OK | MB_ICONERROR};
inline constexpr MessageBoxText kAlreadyInstalled{
    "A driver is already installed for this printer.\rBy changing the printer name you can install a new driver. ",
    "Kyv Printer Corvane", MB_OK | MB_ICONINFORMATION};
// Confirmation and failure texts are composed; these are their caption and flags.
inline constexpr char kConfirmationCaption[] = "Setwrigt";
inline constexpr UINT kConfirmationFlags = MB_YESNO | MB_ICONQUESTION;
inline constexpr UINT kFailureFlags = MB_OK | MB_ICONERROR;

}  // namespace boxes
