#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "app/bounded_string.h"
#include "testpage/page_content.h"

namespace {

using testpage::Advance;
using testpage::Draw;
using testpage::LineFont;
using testpage::PageLine;

// A model whose fields all differ, so a value taken from the wrong field shows.
constexpr MODELINFO kModel{"Kyv Test 7", "KYV95.DRV", "KYVDEP.DLL", "KYVTEST.GPD", "Kyv", 0};

struct Row {
    Draw draw;
    Advance advance;
    std::string text;
    std::string value;
    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row)
{
    return out << "{draw " << static_cast<int>(row.draw) << ", advance " << static_cast<int>(row.advance) << ", \""
               << row.text << "\", \"" << row.value << "\"}";
}

std::vector<Row> Rows(const std::vector<PageLine>& lines)
{
    std::vector<Row> rows;
    for (const PageLine& line : lines)
        rows.push_back({line.draw, line.advance, line.szText, line.draw == Draw::LabelValue ? line.szValue : ""});
    return rows;
}

testpage::PageFacts Facts()
{
    testpage::PageFacts facts{};
    text::Copy(facts.szTimeStamp, "9:7:3 AM  7/5/2012 ");
    text::Copy(facts.szComputerName, "FRONTDESK-PC");
    text::Copy(facts.szDriverDirectory, "C:\\SPOOL\\DRV");
    text::Copy(facts.szOsDisplayName, "Shown System");
    facts.pszPrinterName = "Front Desk";
    facts.pszPort = "LPT2:";
    return facts;
}

constexpr char kSentence[] = "If you can read this information, you have correctly installed your Kyv Test 7.";
constexpr char kDescribes[] = "The information below describes your printer driver settings.";
constexpr char kHeading[] = "Additional files used by this driver:";
constexpr char kClosing[] = "This is the end of the printer test page.";

// ---- Full page --------------------------------------------------------------------

std::vector<Row> FullPageStart()
{
    return {
        {Draw::Text, Advance::L2, "Congratulations!", ""},
        {Draw::Wrapped, Advance::HPlusTextHeight, kSentence, ""},
        {Draw::Text, Advance::L2, kDescribes, ""},
        {Draw::LabelValue, Advance::L1, "OS Version :", "Shown System"},
        {Draw::LabelValue, Advance::L1, "Submitted Time:", "9:7:3 AM  7/5/2012 "},
        {Draw::LabelValue, Advance::L1, "Computer Name:", "FRONTDESK-PC"},
        {Draw::LabelValue, Advance::L1, "Printer Name:", "Front Desk"},
        {Draw::LabelValue, Advance::L1, "Printer Model:", "Kyv Test 7"},
        {Draw::LabelValue, Advance::L1, "Color Support:", "No"},
        {Draw::LabelValue, Advance::L1, "Port Name:", "LPT2:"},
        {Draw::LabelValue, Advance::L1, "Data Format:", "RAW"},
    };
}

TEST(FullPageLines, SystemDependentLinesFilesAndClosingByCode)
{
    struct Case {
        DWORD code;
        std::vector<Row> tail;
    };
    const Row defaultDatatype{Draw::LabelValue, Advance::L2, "Default Datatype:", "RAW"};
    const Row closing{Draw::Text, Advance::None, kClosing, ""};
    const Case cases[] = {
        {1,
         {{Draw::LabelValue, Advance::L1, "Driver Name:", "KYV95.DRV"},
          {Draw::LabelValue, Advance::L1, "Help File:", "Unidrv.Hlp"},
          {Draw::LabelValue, Advance::L1, "Driver Version:", "4.00"},
          defaultDatatype,
          {Draw::Text, Advance::L1, kHeading, ""},
          {Draw::Text, Advance::L1, "C:\\SPOOL\\DRV\\ICONLIB.DLL", ""},
          {Draw::Text, Advance::L2, "C:\\SPOOL\\DRV\\KYV95.DRV", ""},
          closing}},
        {4,
         {{Draw::LabelValue, Advance::L1, "Driver Name:", "RASDD.DLL"},
          {Draw::LabelValue, Advance::L1, "Help File:", "RASDDUI.HLP"},
          {Draw::LabelValue, Advance::L1, "Driver Version:", "4.00"},
          defaultDatatype,
          {Draw::Text, Advance::L2, "C:\\SPOOL\\DRV\\KYV95.DRV", ""},
          closing}},
        {7,
         {{Draw::LabelValue, Advance::L1, "Driver Name:", "UNIDRV.DLL"},
          {Draw::LabelValue, Advance::L1, "Data File:", "KYVTEST.GPD"},
          {Draw::LabelValue, Advance::L1, "Help File:", "Unidrv.Hlp"},
          {Draw::LabelValue, Advance::L1, "Driver Version:", "5.01"},
          defaultDatatype,
          {Draw::Text, Advance::L1, kHeading, ""},
          {Draw::Text, Advance::L2, "C:\\SPOOL\\DRV\\KYVDEP.DLL", ""},
          closing}},
        {8,
         {{Draw::LabelValue, Advance::L1, "Driver Name:", "UNIDRV.DLL"},
          {Draw::LabelValue, Advance::L1, "Data File:", "KYVTEST.GPD"},
          {Draw::LabelValue, Advance::L1, "Help File:", "Unidrv.Hlp"},
          {Draw::LabelValue, Advance::L1, "Driver Version:", "5.02"},
          defaultDatatype,
          {Draw::Text, Advance::L1, kHeading, ""},
          {Draw::Text, Advance::L2, "C:\\SPOOL\\DRV\\KYVDEP.DLL", ""},
          closing}},
        // No version text and no files, and no closing line: the version value is
        // empty rather than a second "Driver Version:".
        {14,
         {{Draw::LabelValue, Advance::L1, "Driver Name:", "KYV95.DRV"},
          {Draw::LabelValue, Advance::L1, "Help File:", "Unidrv.Hlp"},
          {Draw::LabelValue, Advance::L1, "Driver Version:", ""},
          defaultDatatype}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        std::vector<Row> expected = FullPageStart();
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        const std::vector<PageLine> lines = testpage::FullPageLines(c.code, kModel, Facts());
        EXPECT_EQ(Rows(lines), expected);
        for (const PageLine& line : lines)
            EXPECT_EQ(line.font, LineFont::Page);
    }
}

TEST(FullPageLines, CatalogueRowsOnThe95FamilyEndInALoneBackslash)
{
    const std::vector<PageLine> lines = testpage::FullPageLines(OS_WINME, ModelTable[0], Facts());
    ASSERT_GE(lines.size(), 3u);
    const PageLine& lastFile = lines[lines.size() - 2];
    EXPECT_STREQ(lastFile.szText, "C:\\SPOOL\\DRV\\");
    const auto driverName = std::find_if(lines.begin(), lines.end(),
                                         [](const PageLine& l) { return std::strcmp(l.szText, "Driver Name:") == 0; });
    ASSERT_NE(driverName, lines.end());
    EXPECT_STREQ(driverName->szValue, "");
}

// ---- Receipt page ------------------------------------------------------------------

std::vector<Row> ReceiptStart()
{
    const Draw w = Draw::Wrapped;
    return {
        {w, Advance::H, "Kyv", ""},
        {w, Advance::HPlusHeadingLine, "Printer Test Page", ""},
        {w, Advance::HPlusHeadingLine, "Congratulations!", ""},
        {w, Advance::HPlusHeadingLine, kSentence, ""},
        {w, Advance::HPlusHeadingLine, kDescribes, ""},
        {w, Advance::H, "OS Version:", ""},
        {w, Advance::H, "Shown System", ""},
        {w, Advance::H, "Submitted Time:", ""},
        {w, Advance::H, "9:7:3 AM  7/5/2012 ", ""},
        {w, Advance::H, "Computer Name:", ""},
        {w, Advance::H, "FRONTDESK-PC", ""},
        {w, Advance::H, "Printer Name:", ""},
        {w, Advance::H, "Front Desk", ""},
        {w, Advance::H, "Printer Model:", ""},
        {w, Advance::H, "Kyv Test 7", ""},
        {w, Advance::H, "Color Support: No", ""},
        {w, Advance::H, "Port Name:", ""},
        {w, Advance::H, "LPT2:", ""},
        {w, Advance::H, "Data Format:", ""},
        {w, Advance::H, "RAW", ""},
        {w, Advance::H, "Driver Name:", ""},
    };
}

TEST(ReceiptPageLines, OneColumnWithSystemDependentLinesFilesAndClosingByCode)
{
    const Draw w = Draw::Wrapped;
    struct Case {
        DWORD code;
        std::vector<Row> tail;
    };
    const Row closing{w, Advance::None, kClosing, ""};
    const Row datatypeLabel{w, Advance::H, "Default Datatype:", ""};
    const Row datatype{w, Advance::TwiceH, "RAW", ""};
    const Case cases[] = {
        {1,
         {{w, Advance::H, "KYV95.DRV", ""},
          {w, Advance::H, "Help File:", ""},
          {w, Advance::H, "Unidrv.Hlp", ""},
          {w, Advance::H, "Driver Version:", ""},
          {w, Advance::H, "4.00", ""},
          datatypeLabel,
          datatype,
          {w, Advance::TwiceH, kHeading, ""},
          {w, Advance::H, "C:\\SPOOL\\DRV\\ICONLIB.DLL", ""},
          // Unlike the full page: the dependency file, not the 95 driver file.
          {w, Advance::TwiceH, "C:\\SPOOL\\DRV\\KYVDEP.DLL", ""},
          closing}},
        // No Data File lines and no additional files: the closing line follows "RAW".
        {4,
         {{w, Advance::H, "RASDD.DLL", ""},
          {w, Advance::H, "Help File:", ""},
          {w, Advance::H, "RASDDUI.HLP", ""},
          {w, Advance::H, "Driver Version:", ""},
          {w, Advance::H, "4.00", ""},
          datatypeLabel,
          datatype,
          closing}},
        {7,
         {{w, Advance::H, "UNIDRV.DLL", ""},
          {w, Advance::H, "Data File:", ""},
          {w, Advance::H, "KYVTEST.GPD", ""},
          {w, Advance::H, "Help File:", ""},
          {w, Advance::H, "Unidrv.Hlp", ""},
          {w, Advance::H, "Driver Version:", ""},
          {w, Advance::H, "5.01", ""},
          datatypeLabel,
          datatype,
          {w, Advance::TwiceH, kHeading, ""},
          {w, Advance::H, "C:\\SPOOL\\DRV\\UNIRES.DLL", ""},
          {w, Advance::H, "C:\\SPOOL\\DRV\\STDNAMES.GPD", ""},
          {w, Advance::TwiceH, "C:\\SPOOL\\DRV\\KYVDEP.DLL", ""},
          closing}},
        {8,
         {{w, Advance::H, "UNIDRV.DLL", ""},
          {w, Advance::H, "Data File:", ""},
          {w, Advance::H, "KYVTEST.GPD", ""},
          {w, Advance::H, "Help File:", ""},
          {w, Advance::H, "Unidrv.Hlp", ""},
          {w, Advance::H, "Driver Version:", ""},
          {w, Advance::H, "5.02", ""},
          datatypeLabel,
          datatype,
          {w, Advance::TwiceH, kHeading, ""},
          {w, Advance::H, "C:\\SPOOL\\DRV\\UNIRES.DLL", ""},
          {w, Advance::H, "C:\\SPOOL\\DRV\\STDNAMES.GPD", ""},
          {w, Advance::TwiceH, "C:\\SPOOL\\DRV\\KYVDEP.DLL", ""},
          closing}},
        // Unknown system: empty version value, no files, but the closing line.
        {14,
         {{w, Advance::H, "KYV95.DRV", ""},
          {w, Advance::H, "Help File:", ""},
          {w, Advance::H, "Unidrv.Hlp", ""},
          {w, Advance::H, "Driver Version:", ""},
          {w, Advance::H, "", ""},
          datatypeLabel,
          datatype,
          closing}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        std::vector<Row> expected = ReceiptStart();
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        const std::vector<PageLine> lines = testpage::ReceiptPageLines(c.code, kModel, Facts());
        EXPECT_EQ(Rows(lines), expected);
        // The two heading lines in the heading font, everything after in the body font.
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].font, i < 2 ? LineFont::Heading : LineFont::Body) << "line " << i;
    }
}

// ---- Fonts -----------------------------------------------------------------------

TEST(PageFonts, FacesAndWeightsByCode)
{
    struct Case {
        DWORD code;
        const char* fullFace;
        int fullWeight;
        const char* receiptFace;
        int receiptHeadingHeight;   // at a 96-dpi screen
    };
    const Case cases[] = {
        {0, "Arial", 400, "Arial", -16},
        {1, "Arial", 400, "Arial", -16},
        {2, "Arial", 400, "Arial", -16},
        {3, "Arial", 400, "Arial", -16},
        {4, "Trebuchet MS", 0, "Lucida Sans Unicode", 0},
        {5, "Trebuchet MS", 0, "Lucida Sans Unicode", 0},
        {6, "Trebuchet MS", 0, "Lucida Sans Unicode", 0},
        {7, "Trebuchet MS", 0, "Lucida Sans Unicode", 0},
        {8, "Arial", 400, "Arial", -16},
        {9, "Trebuchet MS", 0, "Lucida Sans Unicode", 0},
        {10, "Trebuchet MS", 0, "Lucida Sans Unicode", 0},
        {11, "Trebuchet MS", 0, "Lucida Sans Unicode", 0},
        {12, "Trebuchet MS", 0, "Lucida Sans Unicode", 0},
        {13, "Trebuchet MS", 0, "Lucida Sans Unicode", 0},
        {14, "Arial", 400, "Arial", -16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const testpage::FontChoice full = testpage::FullPageFont(c.code);
        EXPECT_STREQ(full.face, c.fullFace);
        EXPECT_EQ(full.weight, c.fullWeight);
        EXPECT_EQ(full.height, 0);

        const testpage::FontChoice heading = testpage::ReceiptHeadingFont(c.code, 96);
        const testpage::FontChoice body = testpage::ReceiptBodyFont(c.code);
        EXPECT_STREQ(heading.face, c.receiptFace);
        EXPECT_STREQ(body.face, c.receiptFace);
        EXPECT_EQ(heading.weight, 400);
        EXPECT_EQ(body.weight, 400);
        EXPECT_EQ(heading.height, c.receiptHeadingHeight);
        EXPECT_EQ(body.height, 0);
    }
}

TEST(PageFonts, ReceiptArialHeadingIsTwelvePointsOfTheScreenNotThePrinter)
{
    EXPECT_EQ(testpage::ReceiptHeadingFont(OS_WIN98, 96).height, -16);
    EXPECT_EQ(testpage::ReceiptHeadingFont(OS_WIN98, 120).height, -20);
    EXPECT_EQ(testpage::ReceiptHeadingFont(OS_WINXPX64, 144).height, -24);
    EXPECT_EQ(testpage::ReceiptHeadingFont(OS_WIN95, 100).height, -17);   // 16.67 rounds to 17
}

// ---- Bounded composition ---------------------------------------------------------

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

TEST(PageLines, ComposedLinesLongerThan259CharactersAreCutAt259)
{
    testpage::PageFacts facts = Facts();
    text::Copy(facts.szDriverDirectory, Repeat('D', 300).c_str());
    text::Copy(facts.szComputerName, Repeat('C', 400).c_str());
    MODELINFO model = kModel;
    text::Copy(model.szModelName, Repeat('M', 259).c_str());

    const std::string sentenceStart = "If you can read this information, you have correctly installed your ";
    const std::string cutSentence = sentenceStart + Repeat('M', 259 - sentenceStart.size());

    for (int receipt = 0; receipt < 2; ++receipt) {
        SCOPED_TRACE(receipt ? "receipt" : "full");
        const std::vector<PageLine> lines = receipt ? testpage::ReceiptPageLines(OS_WINXP, model, facts)
                                                    : testpage::FullPageLines(OS_WINXP, model, facts);
        bool sawSentence = false, sawFile = false, sawComputer = false;
        for (const PageLine& line : lines) {
            const std::string text = line.szText;
            const std::string value = line.szValue;
            EXPECT_LE(text.size(), 259u);
            EXPECT_LE(value.size(), 259u);
            if (text.rfind("If you can", 0) == 0) {
                EXPECT_EQ(text, cutSentence);   // the closing "." is what gets cut
                sawSentence = true;
            }
            if (text.rfind("DDD", 0) == 0) {
                EXPECT_EQ(text, Repeat('D', 259));
                sawFile = true;
            }
            if (text.rfind("CCC", 0) == 0 || value.rfind("CCC", 0) == 0) {
                EXPECT_EQ(receipt ? text : value, Repeat('C', 259));
                sawComputer = true;
            }
        }
        EXPECT_TRUE(sawSentence);
        EXPECT_TRUE(sawFile);
        EXPECT_TRUE(sawComputer);
    }
}

TEST(PageLines, ModelNumberOutsideTheCatalogueGivesEmptyValues)
{
    EXPECT_STREQ(testpage::ModelRow(0).szModelName, "Kyv QL 610");
    EXPECT_STREQ(testpage::ModelRow(2).szDataFile, "QL630.GPD");
    for (DWORD n : {3u, 1000u, 0xFFFFFFFFu}) {
        const MODELINFO& row = testpage::ModelRow(n);
        EXPECT_STREQ(row.szModelName, "");
        EXPECT_STREQ(row.szDependencyFile, "");
    }
}

}  // namespace
