#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/bounded_string.h"
#include "fake_library.h"
#include "install/catalogue.h"
#include "recording.h"

namespace {

using Traces = std::vector<std::string>;

struct Names {
    char shortName[CORVANE_PATH_CHARS];
    char displayName[CORVANE_PATH_CHARS];

    // Filled with a marker so an untouched buffer can be told from a written one.
    Names()
    {
        std::memset(shortName, '#', sizeof shortName);
        std::memset(displayName, '#', sizeof displayName);
    }
    bool Untouched() const
    {
        for (char c : shortName)
            if (c != '#')
                return false;
        for (char c : displayName)
            if (c != '#')
                return false;
        return true;
    }
};

TEST(GetOSName, EverySupportedCodeHasItsNames)
{
    struct Row {
        OSVERSION code;
        const char* shortName;
        const char* displayName;
    };
    const Row rows[] = {
        {OS_WIN95, "Win95", "Windows 95"},          {OS_WIN98, "Win98", "Windows 98"},
        {OS_WINME, "WinME", "Windows ME"},          {OS_WINNT40, "WinNT40", "Windows N.T 4.0"},
        {OS_WIN2000, "Win2000", "Windows 2000"},    {OS_WIN2003, "Win2003", "Windows 2003"},
        {OS_WINXP, "WinXP", "Windows XP"},          {OS_WINXPX64, "WinXPX64", "Windows XP X64"},
        {OS_WINVISTA, "WinVista", "Windows Vista"}, {OS_WIN7, "Win7", "Windows 7"},
        {OS_WIN7X64, "Win7X64", "Windows 7 X64"},   {OS_WIN8, "Win8", "Windows 8"},
        {OS_WIN8X64, "Win8X64", "Windows 8 X64"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.displayName);
        fake::SetVersionAnswer({0, row.code});
        Recording recording;
        Names names;
        EXPECT_EQ(GetOSName(names.shortName, names.displayName), 0u);
        EXPECT_STREQ(names.shortName, row.shortName);
        EXPECT_STREQ(names.displayName, row.displayName);
        EXPECT_EQ(recording.traces(), (Traces{"Enter : GetOSName", row.displayName, "Exit : GetOSName"}));
        EXPECT_EQ(fake::VersionQueries(), 1);
    }
}

TEST(GetOSName, CodesWithoutNamesLeaveTheBuffersAlone)
{
    for (DWORD code : {0u, 14u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(code);
        fake::SetVersionAnswer({0, static_cast<OSVERSION>(code)});
        Recording recording;
        Names names;
        EXPECT_EQ(GetOSName(names.shortName, names.displayName), 0u);
        EXPECT_TRUE(names.Untouched());
        EXPECT_EQ(recording.traces(), (Traces{"Enter : GetOSName", "Exit : GetOSName"}));
    }
}

TEST(GetOSName, UnsupportedSystemStopsAfterTheEnterTrace)
{
    fake::SetVersionAnswer({CORVANE_OS_NOT_SUPPORTED, OS_WINXP});
    Recording recording;
    Names names;
    EXPECT_EQ(GetOSName(names.shortName, names.displayName), CORVANE_OS_NOT_SUPPORTED);
    EXPECT_TRUE(names.Untouched());
    EXPECT_EQ(recording.traces(), (Traces{"Enter : GetOSName"}));
}

TEST(Catalogue, FamiliesOfTheCodes)
{
    EXPECT_EQ(FamilyOf(OS_WIN95), OsFamily::Win95);
    EXPECT_EQ(FamilyOf(OS_WINME), OsFamily::Win95);
    EXPECT_EQ(FamilyOf(OS_WINNT40), OsFamily::NT40);
    EXPECT_EQ(FamilyOf(OS_WIN2000), OsFamily::NT5);
    EXPECT_EQ(FamilyOf(OS_WIN8X64), OsFamily::NT5);
    EXPECT_EQ(FamilyOf(0), OsFamily::None);
    EXPECT_EQ(FamilyOf(14), OsFamily::None);
}

TEST(Catalogue, Nt40RulesFirstMatchWins)
{
    struct Case {
        const char* modelName;
        int pins;
        const char* file;   // nullptr: no rule matches
    };
    const Case cases[] = {
        {"Kyv QL 610", 0, nullptr},
        {"Kyv PK 700", 24, "KYVDOT24.dll"},   // pins come before the name rules
        {"Kyv QL 620", 9, "KYVDOT9.dll"},
        {"Kyv PK 700", 0, "PK700.dll"},
        {"Kyv PK 700 (ESC POS)", 0, "PK700EPOS.dll"},
        {"Kyv RT 12", 0, "RT12.dll"},
        {"Kyv MR LNO 5150", 0, "MRLNO5150.DLL"},
        {"Kyv SW FAB 6620", 0, "SWFAB6620.DLL"},
        {"kyv pk 700", 0, nullptr},            // case-sensitive
        {"Kyv PK 700 ", 0, nullptr},           // whole names only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.modelName);
        MODELINFO model{};
        text::Copy(model.szModelName, c.modelName);
        model.nPins = c.pins;
        const char* file = Nt40FamilyDriverFile(model);
        if (c.file)
            EXPECT_STREQ(file, c.file);
        else
            EXPECT_EQ(file, nullptr);
    }
}

}  // namespace
