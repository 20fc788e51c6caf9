// What the two test pages say, line by line, without a printer: the time stamp, the
// faces by system code, the system-dependent values and the line tables that the
// printing routines walk onto the device context.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "install/catalogue.h"

namespace testpage {

// Every printed line is composed in a buffer of this size: cut at 259 characters.
inline constexpr std::size_t kLineChars = 260;
inline constexpr DWORD kComputerNameChars = 513;
inline constexpr DWORD kDriverDirectoryBytes = 512;

// The spooler shows this as the job's name; the trailing blank belongs to it.
inline constexpr char kDocumentName[] = "Kyv Printer Corvane ";

// ---- Time stamp ---------------------------------------------------------------

struct PrintedHour {
    long hour;
    const char* meridiem;
};

// 0 to 12 print unchanged with "AM" (so noon is 12 AM and midnight 0 AM);
// 13 to 23 print less 12 with "PM".
PrintedHour ToPrintedHour(WORD hour);

// "h:m:s AM  month/day/year ": no zero padding, four-digit year, trailing blank.
void FormatTimeStamp(const SYSTEMTIME& time, char (&line)[kLineChars]);

// ---- Facts read from the system before anything is drawn --------------------

// A fact that cannot be read stays an empty string.
struct PageFacts {
    char szTimeStamp[kLineChars];
    char szComputerName[kComputerNameChars];
    char szDriverDirectory[kDriverDirectoryBytes];
    char szOsDisplayName[CORVANE_PATH_CHARS];
    const char* pszPrinterName;   // never null
    const char* pszPort;          // never null
};

// The catalogue row of a model number; an all-empty row for a number outside the
// catalogue, so a bad number prints empty values instead of reading past the table.
const MODELINFO& ModelRow(DWORD nModel);

// ---- Fonts -----------------------------------------------------------------------

struct FontChoice {
    const char* face;
    int height;   // CreateFontA's nHeight: 0 is the font's default size
    int weight;
};

// Codes 4 to 7 and 9 to 13 print in the system's own face; 1 to 3, 8 and every
// unknown code in Arial.
bool UsesSystemFace(DWORD code);

FontChoice FullPageFont(DWORD code);
// The heading follows the screen's resolution (12 points at screenDpiY) in Arial.
FontChoice ReceiptHeadingFont(DWORD code, int screenDpiY);
FontChoice ReceiptBodyFont(DWORD code);

// ---- System-dependent values -----------------------------------------------------

struct SystemValues {
    const char* driverName;   // nullptr: the model's szDriverFile95
    bool dataFileLine;
    const char* helpFile;     // the page writes it in mixed case, unlike the installation record
    const char* driverVersion;
};

SystemValues SystemValuesFor(DWORD code);

// ---- Line tables -----------------------------------------------------------------

enum class Draw {
    Text,         // TextOutA at the label column
    LabelValue,   // TextOutA at the label column and at the value column, same y
    Wrapped,      // DrawTextA with DT_WORDBREAK into the wrap rectangle
};

enum class LineFont {
    Page,      // the full page's one font
    Heading,   // receipt heading
    Body,      // receipt body; replaces the heading font for good
};

// How far the next line starts below this one. tmHeight and tmExternalLeading are
// the current font's; h is the height DrawTextA returned for this line; Lh is the
// receipt heading font's line height.
enum class Advance {
    None,
    L1,               // tmHeight + tmExternalLeading
    L2,               // 2 x tmHeight + tmExternalLeading
    HPlusTextHeight,  // h + tmHeight
    H,                // h
    HPlusHeadingLine, // h + Lh
    TwiceH,           // 2 x h
};

struct PageLine {
    Draw draw;
    LineFont font;
    Advance advance;
    char szText[kLineChars];
    char szValue[kLineChars];   // only for Draw::LabelValue
};

std::vector<PageLine> FullPageLines(DWORD code, const MODELINFO& model, const PageFacts& facts);
std::vector<PageLine> ReceiptPageLines(DWORD code, const MODELINFO& model, const PageFacts& facts);

}  // namespace testpage
