#include "testpage/page_content.h"

#include <algorithm>
#include <span>

#include "app/bounded_string.h"
#include "install/maker.h"

namespace testpage {
namespace {

constexpr MODELINFO kNoModel{};

constexpr DWORD kSystemFaceCodes[] = {
    OS_WINNT40, OS_WIN2000, OS_WIN2003, OS_WINXP, OS_WINVISTA, OS_WIN7, OS_WIN7X64, OS_WIN8, OS_WIN8X64,
};

constexpr char kArial[] = "Arial";
constexpr char kTrebuchet[] = "Trebuchet MS";
constexpr char kLucida[] = "Lucida Sans Unicode";
constexpr int kNormalWeight = 400;   // FW_NORMAL
constexpr int kReceiptHeadingPoints = 12;

struct SystemRow {
    DWORD code;
    SystemValues values;
};

constexpr char kUnidrvHelp[] = "Unidrv.Hlp";

constexpr SystemRow kSystemRows[] = {
    {OS_WIN95, {nullptr, false, kUnidrvHelp, "4.00"}},
    {OS_WIN98, {nullptr, false, kUnidrvHelp, "4.10"}},
    {OS_WINME, {nullptr, false, kUnidrvHelp, "4.90"}},
    {OS_WINNT40, {"RASDD.DLL", false, "RASDDUI.HLP", "4.00"}},
    {OS_WIN2000, {"UNIDRV.DLL", true, kUnidrvHelp, "5.00"}},
    {OS_WIN2003, {"UNIDRV.DLL", true, kUnidrvHelp, "5.02"}},
    {OS_WINXP, {"UNIDRV.DLL", true, kUnidrvHelp, "5.01"}},
    {OS_WINXPX64, {"UNIDRV.DLL", true, kUnidrvHelp, "5.02"}},
    {OS_WINVISTA, {"UNIDRV.DLL", true, kUnidrvHelp, "6.00"}},
    {OS_WIN7, {"UNIDRV.DLL", true, kUnidrvHelp, "6.01"}},
    {OS_WIN7X64, {"UNIDRV.DLL", true, kUnidrvHelp, "6.01"}},
    {OS_WIN8, {"UNIDRV.DLL", true, kUnidrvHelp, "6.02"}},
    {OS_WIN8X64, {"UNIDRV.DLL", true, kUnidrvHelp, "6.02"}},
};

// A system without a row has no version text: the value stays empty.
constexpr SystemValues kUnknownSystem{nullptr, false, kUnidrvHelp, ""};

// ---- Additional files ----------------------------------------------------------

using ModelField = const char (MODELINFO::*)[CORVANE_PATH_CHARS];

enum class FileSource {
    Heading,            // the text alone
    DirectoryLiteral,   // driver directory followed by the text, which starts with "\"
    DirectoryField,     // driver directory, "\" and a file name of the model
};

struct FileLine {
    FileSource source;
    const char* text;
    ModelField field;
    Advance advance;
};

constexpr char kFilesHeading[] = "Additional files used by this driver:";

constexpr FileLine kFullFiles95[] = {
    {FileSource::Heading, kFilesHeading, nullptr, Advance::L1},
    {FileSource::DirectoryLiteral, "\\ICONLIB.DLL", nullptr, Advance::L1},
    {FileSource::DirectoryField, nullptr, &MODELINFO::szDriverFile95, Advance::L2},
};
constexpr FileLine kFullFilesNt40[] = {
    {FileSource::DirectoryField, nullptr, &MODELINFO::szDriverFile95, Advance::L2},
};
constexpr FileLine kFullFilesNt5[] = {
    {FileSource::Heading, kFilesHeading, nullptr, Advance::L1},
    {FileSource::DirectoryField, nullptr, &MODELINFO::szDependencyFile, Advance::L2},
};

constexpr FileLine kReceiptFiles95[] = {
    {FileSource::Heading, kFilesHeading, nullptr, Advance::TwiceH},
    {FileSource::DirectoryLiteral, "\\ICONLIB.DLL", nullptr, Advance::H},
    {FileSource::DirectoryField, nullptr, &MODELINFO::szDependencyFile, Advance::TwiceH},
};
constexpr FileLine kReceiptFilesNt5[] = {
    {FileSource::Heading, kFilesHeading, nullptr, Advance::TwiceH},
    {FileSource::DirectoryLiteral, "\\UNIRES.DLL", nullptr, Advance::H},
    {FileSource::DirectoryLiteral, "\\STDNAMES.GPD", nullptr, Advance::H},
    {FileSource::DirectoryField, nullptr, &MODELINFO::szDependencyFile, Advance::TwiceH},
};

std::span<const FileLine> FullFiles(DWORD code)
{
    switch (FamilyOf(code)) {
    case OsFamily::Win95: return kFullFiles95;
    case OsFamily::NT40: return kFullFilesNt40;
    case OsFamily::NT5: return kFullFilesNt5;
    case OsFamily::None: break;
    }
    return {};
}

std::span<const FileLine> ReceiptFiles(DWORD code)
{
    switch (FamilyOf(code)) {
    case OsFamily::Win95: return kReceiptFiles95;
    case OsFamily::NT5: return kReceiptFilesNt5;
    case OsFamily::NT40:
    case OsFamily::None: break;
    }
    return {};
}

// ---- Texts shared by both layouts ----------------------------------------------

constexpr char kCongratulations[] = "Congratulations!";
constexpr char kSentenceStart[] = "If you can read this information, you have correctly installed your ";
constexpr char kDescribes[] = "The information below describes your printer driver settings.";
constexpr char kClosing[] = "This is the end of the printer test page.";
constexpr char kRaw[] = "RAW";

// Appends lines in one font; every text goes through the bounded helpers.
class LineList {
public:
    LineList(std::vector<PageLine>& lines, LineFont font) : lines_(lines), font_(font) {}

    void SetFont(LineFont font) { font_ = font; }

    PageLine& Add(Draw draw, Advance advance, const char* text, const char* value = "")
    {
        PageLine& line = lines_.emplace_back();
        line.draw = draw;
        line.font = font_;
        line.advance = advance;
        text::Copy(line.szText, text);
        text::Copy(line.szValue, value);
        return line;
    }

    void AddSentence(Draw draw, Advance advance, const MODELINFO& model)
    {
        PageLine& line = Add(draw, advance, kSentenceStart);
        text::Append(line.szText, model.szModelName);
        text::Append(line.szText, ".");
    }

    void AddFiles(std::span<const FileLine> files, Draw draw, const MODELINFO& model, const PageFacts& facts)
    {
        for (const FileLine& file : files) {
            if (file.source == FileSource::Heading) {
                Add(draw, file.advance, file.text);
                continue;
            }
            PageLine& line = Add(draw, file.advance, facts.szDriverDirectory);
            if (file.source == FileSource::DirectoryLiteral) {
                text::Append(line.szText, file.text);
            } else {
                text::Append(line.szText, "\\");
                text::Append(line.szText, model.*file.field);
            }
        }
    }

private:
    std::vector<PageLine>& lines_;
    LineFont font_;
};

const char* DriverNameOf(const SystemValues& values, const MODELINFO& model)
{
    return values.driverName ? values.driverName : model.szDriverFile95;
}

}  // namespace

PrintedHour ToPrintedHour(WORD hour)
{
    if (hour <= 12)
        return {hour, "AM"};
    return {static_cast<long>(hour) - 12, "PM"};
}

void FormatTimeStamp(const SYSTEMTIME& time, char (&line)[kLineChars])
{
    const PrintedHour printed = ToPrintedHour(time.wHour);
    text::Format(line, "%ld:%ld:%ld %s  %ld/%ld/%ld ", printed.hour, static_cast<long>(time.wMinute),
                 static_cast<long>(time.wSecond), printed.meridiem, static_cast<long>(time.wMonth),
                 static_cast<long>(time.wDay), static_cast<long>(time.wYear));
}

const MODELINFO& ModelRow(DWORD nModel)
{
    return nModel < kModelCount ? ModelTable[nModel] : kNoModel;
}

bool UsesSystemFace(DWORD code)
{
    return std::ranges::find(kSystemFaceCodes, code) != std::end(kSystemFaceCodes);
}

FontChoice FullPageFont(DWORD code)
{
    return UsesSystemFace(code) ? FontChoice{kTrebuchet, 0, 0} : FontChoice{kArial, 0, kNormalWeight};
}

FontChoice ReceiptHeadingFont(DWORD code, int screenDpiY)
{
    if (UsesSystemFace(code))
        return {kLucida, 0, kNormalWeight};
    return {kArial, -MulDiv(kReceiptHeadingPoints, screenDpiY, 72), kNormalWeight};
}

FontChoice ReceiptBodyFont(DWORD code)
{
    return {UsesSystemFace(code) ? kLucida : kArial, 0, kNormalWeight};
}

SystemValues SystemValuesFor(DWORD code)
{
    for (const SystemRow& row : kSystemRows)
        if (row.code == code)
            return row.values;
    return kUnknownSystem;
}

std::vector<PageLine> FullPageLines(DWORD code, const MODELINFO& model, const PageFacts& facts)
{
    const SystemValues system = SystemValuesFor(code);
    std::vector<PageLine> lines;
    LineList list(lines, LineFont::Page);

    list.Add(Draw::Text, Advance::L2, kCongratulations);
    list.AddSentence(Draw::Wrapped, Advance::HPlusTextHeight, model);
    list.Add(Draw::Text, Advance::L2, kDescribes);
    list.Add(Draw::LabelValue, Advance::L1, "OS Version :", facts.szOsDisplayName);
    list.Add(Draw::LabelValue, Advance::L1, "Submitted Time:", facts.szTimeStamp);
    list.Add(Draw::LabelValue, Advance::L1, "Computer Name:", facts.szComputerName);
    list.Add(Draw::LabelValue, Advance::L1, "Printer Name:", facts.pszPrinterName);
    list.Add(Draw::LabelValue, Advance::L1, "Printer Model:", model.szModelName);
    list.Add(Draw::LabelValue, Advance::L1, "Color Support:", "No");
    list.Add(Draw::LabelValue, Advance::L1, "Port Name:", facts.pszPort);
    list.Add(Draw::LabelValue, Advance::L1, "Data Format:", kRaw);
    list.Add(Draw::LabelValue, Advance::L1, "Driver Name:", DriverNameOf(system, model));
    if (system.dataFileLine)
        list.Add(Draw::LabelValue, Advance::L1, "Data File:", model.szDataFile);
    list.Add(Draw::LabelValue, Advance::L1, "Help File:", system.helpFile);
    list.Add(Draw::LabelValue, Advance::L1, "Driver Version:", system.driverVersion);
    list.Add(Draw::LabelValue, Advance::L2, "Default Datatype:", kRaw);
    list.AddFiles(FullFiles(code), Draw::Text, model, facts);
    if (FindOsNames(code))
        list.Add(Draw::Text, Advance::None, kClosing);
    return lines;
}

std::vector<PageLine> ReceiptPageLines(DWORD code, const MODELINFO& model, const PageFacts& facts)
{
    const SystemValues system = SystemValuesFor(code);
    std::vector<PageLine> lines;
    LineList list(lines, LineFont::Heading);

    list.Add(Draw::Wrapped, Advance::H, kMakerShortName);
    list.Add(Draw::Wrapped, Advance::HPlusHeadingLine, "Printer Test Page");
    list.SetFont(LineFont::Body);
    list.Add(Draw::Wrapped, Advance::HPlusHeadingLine, kCongratulations);
    list.AddSentence(Draw::Wrapped, Advance::HPlusHeadingLine, model);
    list.Add(Draw::Wrapped, Advance::HPlusHeadingLine, kDescribes);

    // Label and value on lines of their own, except the colour line.
    struct Pair {
        const char* label;
        const char* value;
    };
    const Pair before[] = {
        {"OS Version:", facts.szOsDisplayName},  {"Submitted Time:", facts.szTimeStamp},
        {"Computer Name:", facts.szComputerName}, {"Printer Name:", facts.pszPrinterName},
        {"Printer Model:", model.szModelName},
    };
    for (const Pair& pair : before) {
        list.Add(Draw::Wrapped, Advance::H, pair.label);
        list.Add(Draw::Wrapped, Advance::H, pair.value);
    }
    list.Add(Draw::Wrapped, Advance::H, "Color Support: No");
    const Pair after[] = {
        {"Port Name:", facts.pszPort},
        {"Data Format:", kRaw},
        {"Driver Name:", DriverNameOf(system, model)},
    };
    for (const Pair& pair : after) {
        list.Add(Draw::Wrapped, Advance::H, pair.label);
        list.Add(Draw::Wrapped, Advance::H, pair.value);
    }
    if (system.dataFileLine) {
        list.Add(Draw::Wrapped, Advance::H, "Data File:");
        list.Add(Draw::Wrapped, Advance::H, model.szDataFile);
    }
    list.Add(Draw::Wrapped, Advance::H, "Help File:");
    list.Add(Draw::Wrapped, Advance::H, system.helpFile);
    list.Add(Draw::Wrapped, Advance::H, "Driver Version:");
    list.Add(Draw::Wrapped, Advance::H, system.driverVersion);
    list.Add(Draw::Wrapped, Advance::H, "Default Datatype:");
    list.Add(Draw::Wrapped, Advance::TwiceH, kRaw);
    list.AddFiles(ReceiptFiles(code), Draw::Wrapped, model, facts);
    list.Add(Draw::Wrapped, Advance::None, kClosing);
    return lines;
}

}  // namespace testpage
