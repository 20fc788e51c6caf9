#include <gtest/gtest.h>

#include <string>

#include "corvane/record_check.h"
#include "guarded_memory.h"
#include "records.h"

namespace {

using corvane::CheckRecord;
using corvane::RecordFault;
using library_test::FillWithoutTerminator;
using library_test::Valid95Record;
using library_test::ValidNtRecord;

template <typename Record>
struct Case {
    const char* what;
    void (*breakIt)(Record&);
    RecordFault fault;
    const char* field;
};

template <typename Record, std::size_t N>
void ExpectFaults(Record (*makeValid)(), const Case<Record> (&cases)[N])
{
    for (const Case<Record>& c : cases) {
        SCOPED_TRACE(c.what);
        Record record = makeValid();
        c.breakIt(record);
        const corvane::RecordCheck check = CheckRecord(record);
        EXPECT_EQ(check.fault, c.fault);
        EXPECT_STREQ(check.field, c.field);
    }
}

template <typename Record, std::size_t N>
void ExpectAccepted(Record (*makeValid)(), void (*const (&changes)[N])(Record&))
{
    for (std::size_t i = 0; i < N; ++i) {
        SCOPED_TRACE("change " + std::to_string(i));
        Record record = makeValid();
        changes[i](record);
        EXPECT_EQ(CheckRecord(record).fault, RecordFault::None);
    }
}

using Nt = _PRINTERINFO_NTA;
using R95 = _PRINTERINFO_95;

TEST(LibraryRecordCheck, ValidRecordsPass)
{
    EXPECT_EQ(CheckRecord(ValidNtRecord()).fault, RecordFault::None);
    EXPECT_EQ(CheckRecord(Valid95Record()).fault, RecordFault::None);
}

TEST(LibraryRecordCheck, NtRecordEachRuleBrokenOnce)
{
    const Case<Nt> cases[] = {
        {"printer name unterminated", [](Nt& r) { FillWithoutTerminator(r.szPrinterName); }, RecordFault::Unterminated, "szPrinterName"},
        {"driver name unterminated", [](Nt& r) { FillWithoutTerminator(r.szDriverName); }, RecordFault::Unterminated, "szDriverName"},
        {"manufacturer unterminated", [](Nt& r) { FillWithoutTerminator(r.szManufacturer); }, RecordFault::Unterminated, "szManufacturer"},
        {"port unterminated", [](Nt& r) { FillWithoutTerminator(r.szPortName); }, RecordFault::Unterminated, "szPortName"},
        {"print processor unterminated", [](Nt& r) { FillWithoutTerminator(r.szPrintProcessor); }, RecordFault::Unterminated, "szPrintProcessor"},
        {"source path unterminated", [](Nt& r) { FillWithoutTerminator(r.szSourcePath); }, RecordFault::Unterminated, "szSourcePath"},
        {"driver file unterminated", [](Nt& r) { FillWithoutTerminator(r.szDriverFile); }, RecordFault::Unterminated, "szDriverFile"},
        {"help file unterminated", [](Nt& r) { FillWithoutTerminator(r.szHelpFile); }, RecordFault::Unterminated, "szHelpFile"},
        {"config file unterminated", [](Nt& r) { FillWithoutTerminator(r.szConfigFile); }, RecordFault::Unterminated, "szConfigFile"},
        {"data file unterminated", [](Nt& r) { FillWithoutTerminator(r.szDataFile); }, RecordFault::Unterminated, "szDataFile"},

        {"printer name empty", [](Nt& r) { r.szPrinterName[0] = '\0'; }, RecordFault::Empty, "szPrinterName"},
        {"driver name empty", [](Nt& r) { r.szDriverName[0] = '\0'; }, RecordFault::Empty, "szDriverName"},
        {"port empty", [](Nt& r) { r.szPortName[0] = '\0'; }, RecordFault::Empty, "szPortName"},
        {"source path empty", [](Nt& r) { r.szSourcePath[0] = '\0'; }, RecordFault::Empty, "szSourcePath"},
        {"driver file empty", [](Nt& r) { r.szDriverFile[0] = '\0'; }, RecordFault::Empty, "szDriverFile"},
        {"config file empty", [](Nt& r) { r.szConfigFile[0] = '\0'; }, RecordFault::Empty, "szConfigFile"},
        {"data file empty", [](Nt& r) { r.szDataFile[0] = '\0'; }, RecordFault::Empty, "szDataFile"},

        {"driver file climbs up", [](Nt& r) { text::Copy(r.szDriverFile, "..\\UNIDRV.DLL"); }, RecordFault::NotPlainFileName, "szDriverFile"},
        {"help file in a folder", [](Nt& r) { text::Copy(r.szHelpFile, "HELP\\UNIDRV.HLP"); }, RecordFault::NotPlainFileName, "szHelpFile"},
        {"config file with a slash", [](Nt& r) { text::Copy(r.szConfigFile, "ui/UNIDRVUI.DLL"); }, RecordFault::NotPlainFileName, "szConfigFile"},
        {"data file with a drive", [](Nt& r) { text::Copy(r.szDataFile, "C:QL620.GPD"); }, RecordFault::NotPlainFileName, "szDataFile"},
        {"data file with a double dot", [](Nt& r) { text::Copy(r.szDataFile, "QL620..GPD"); }, RecordFault::NotPlainFileName, "szDataFile"},
        {"dependency climbs up", [](Nt& r) { r.pszDependencyFile = "..\\..\\system32\\QL22.dll"; }, RecordFault::NotPlainFileName, "pszDependencyFile"},
        {"dependency is a stream", [](Nt& r) { r.pszDependencyFile = "QL22.dll:stream"; }, RecordFault::NotPlainFileName, "pszDependencyFile"},

        {"attributes zero", [](Nt& r) { r.dwAttributes = 0; }, RecordFault::BadAttributes, "dwAttributes"},
        {"default without local", [](Nt& r) { r.dwAttributes = CORVANE_ATTRIBUTE_DEFAULT; }, RecordFault::BadAttributes, "dwAttributes"},
        {"local and shared", [](Nt& r) { r.dwAttributes = 0x48; }, RecordFault::BadAttributes, "dwAttributes"},
        {"local, default and queued", [](Nt& r) { r.dwAttributes = 0x45; }, RecordFault::BadAttributes, "dwAttributes"},
        {"all bits", [](Nt& r) { r.dwAttributes = 0xFFFFFFFF; }, RecordFault::BadAttributes, "dwAttributes"},
    };
    ExpectFaults(ValidNtRecord, cases);
}

TEST(LibraryRecordCheck, NtRecordOptionalPartsMayBeEmpty)
{
    void (*const changes[])(Nt&) = {
        [](Nt& r) { r.szHelpFile[0] = '\0'; },
        [](Nt& r) { r.pszDependencyFile = nullptr; },
        [](Nt& r) { r.pszDependencyFile = ""; },
        [](Nt& r) { r.pszManufacturer = nullptr; r.pszWebSite = nullptr; },
        [](Nt& r) { r.szManufacturer[0] = '\0'; r.szPrintProcessor[0] = '\0'; },
        [](Nt& r) { r.dwAttributes = CORVANE_ATTRIBUTE_LOCAL | CORVANE_ATTRIBUTE_DEFAULT; },
        // Single dots belong to ordinary names; the longest text still fits.
        [](Nt& r) { text::Copy(r.szDataFile, "Q.L.620.GPD"); },
        [](Nt& r) { std::memset(r.szPrinterName, 'P', sizeof r.szPrinterName - 1); r.szPrinterName[259] = '\0'; },
    };
    ExpectAccepted(ValidNtRecord, changes);
}

TEST(LibraryRecordCheck, NinetyFiveRecordEachRuleBrokenOnce)
{
    const Case<R95> cases[] = {
        {"printer name fills its 31 bytes", [](R95& r) { FillWithoutTerminator(r.szPrinterName); }, RecordFault::Unterminated, "szPrinterName"},
        {"driver name fills its 31 bytes", [](R95& r) { FillWithoutTerminator(r.szDriverName); }, RecordFault::Unterminated, "szDriverName"},
        {"share name unterminated", [](R95& r) { FillWithoutTerminator(r.szShareName); }, RecordFault::Unterminated, "szShareName"},
        {"port unterminated", [](R95& r) { FillWithoutTerminator(r.szPortName); }, RecordFault::Unterminated, "szPortName"},
        {"print processor unterminated", [](R95& r) { FillWithoutTerminator(r.szPrintProcessor); }, RecordFault::Unterminated, "szPrintProcessor"},
        {"source path unterminated", [](R95& r) { FillWithoutTerminator(r.szSourcePath); }, RecordFault::Unterminated, "szSourcePath"},
        {"driver file unterminated", [](R95& r) { FillWithoutTerminator(r.szDriverFile); }, RecordFault::Unterminated, "szDriverFile"},
        {"help file unterminated", [](R95& r) { FillWithoutTerminator(r.szHelpFile); }, RecordFault::Unterminated, "szHelpFile"},

        {"printer name empty", [](R95& r) { r.szPrinterName[0] = '\0'; }, RecordFault::Empty, "szPrinterName"},
        {"driver name empty", [](R95& r) { r.szDriverName[0] = '\0'; }, RecordFault::Empty, "szDriverName"},
        {"port empty", [](R95& r) { r.szPortName[0] = '\0'; }, RecordFault::Empty, "szPortName"},
        {"source path empty", [](R95& r) { r.szSourcePath[0] = '\0'; }, RecordFault::Empty, "szSourcePath"},

        {"driver file climbs up", [](R95& r) { text::Copy(r.szDriverFile, "..\\QL.DRV"); }, RecordFault::NotPlainFileName, "szDriverFile"},
        {"help file with a drive", [](R95& r) { text::Copy(r.szHelpFile, "A:UNIDRV.HLP"); }, RecordFault::NotPlainFileName, "szHelpFile"},
        {"dependency in a folder", [](R95& r) { r.pszDependencyFile = "lib/ICONLIB.dll"; }, RecordFault::NotPlainFileName, "pszDependencyFile"},

        {"first reserved byte", [](R95& r) { r.reserved[0] = 1; }, RecordFault::ReservedNotZero, "reserved"},
        {"second reserved byte", [](R95& r) { r.reserved[1] = 0x80; }, RecordFault::ReservedNotZero, "reserved"},

        {"attributes zero", [](R95& r) { r.dwAttributes = 0; }, RecordFault::BadAttributes, "dwAttributes"},
        {"local and hidden", [](R95& r) { r.dwAttributes = 0x440; }, RecordFault::BadAttributes, "dwAttributes"},
    };
    ExpectFaults(Valid95Record, cases);
}

TEST(LibraryRecordCheck, NinetyFiveRecordOptionalPartsMayBeEmpty)
{
    void (*const changes[])(R95&) = {
        [](R95& r) { r.szDriverFile[0] = '\0'; },   // the universal driver stands in
        [](R95& r) { text::Copy(r.szDriverFile, "QL620.DRV"); },
        [](R95& r) { r.szShareName[0] = '\0'; r.szHelpFile[0] = '\0'; },
        [](R95& r) { text::Copy(r.szShareName, "QL620"); },
        [](R95& r) { r.pszDependencyFile = nullptr; },
        [](R95& r) { r.dwAttributes = CORVANE_ATTRIBUTE_LOCAL; },
        // 30 characters and the terminator fill the 31-byte name exactly.
        [](R95& r) { std::memset(r.szPrinterName, 'P', 30); r.szPrinterName[30] = '\0'; },
    };
    ExpectAccepted(Valid95Record, changes);
}

// The pointed-to strings: the validator may read up to 260 bytes and not one more,
// shown by strings that end right before an inaccessible page.
TEST(LibraryRecordCheck, PointedStringsAreReadWithinTheirBound)
{
    library_test::GuardedPage page;
    ASSERT_TRUE(page.IsGuarded());
    const std::string full(corvane::kPointedStringLimit, 'x');
    const std::string longest(corvane::kPointedStringLimit - 1, 'x');

    struct Case {
        const char* what;
        const char* text;
        std::size_t length;
        bool terminated;
        RecordFault fault;
    };
    const Case cases[] = {
        {"260 bytes without a terminator", full.c_str(), full.size(), false, RecordFault::BadPointer},
        {"259 characters and a terminator", longest.c_str(), longest.size(), true, RecordFault::None},
        {"a short name right at the guard", "QL22.dll", 8, true, RecordFault::None},
        {"an empty string right at the guard", "", 0, true, RecordFault::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const char* placed = page.PlaceText(c.text, c.length, c.terminated);

        _PRINTERINFO_NTA nt = ValidNtRecord();
        for (const char** pointer : {&nt.pszDependencyFile, &nt.pszManufacturer, &nt.pszWebSite}) {
            const char* saved = *pointer;
            *pointer = placed;
            EXPECT_EQ(CheckRecord(nt).fault, c.fault);
            *pointer = saved;
        }
        _PRINTERINFO_95 r95 = Valid95Record();
        r95.pszDependencyFile = placed;
        EXPECT_EQ(CheckRecord(r95).fault, c.fault);
    }
}

}  // namespace
