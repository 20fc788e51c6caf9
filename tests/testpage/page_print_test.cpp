#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>

#include "app/app_context.h"
#include "app/bounded_string.h"
#include "install/install_state.h"
#include "testpage/page_facts.h"
#include "testpage/test_page.h"
#include "unit/fake_library.h"

namespace {

testpage::PageFacts Garbage()
{
    testpage::PageFacts facts;
    std::memset(&facts, '#', sizeof facts);
    return facts;
}

TEST(GatherFacts, UnreadableDisplayNameIsEmptyNotLeftOver)
{
    struct Case {
        DWORD result;
        OSVERSION code;
        const char* display;
    };
    const Case cases[] = {
        {0, OS_WINXP, "Windows XP"},
        {0, OS_WINNT40, "Windows N.T 4.0"},
        {0, static_cast<OSVERSION>(14), ""},
        {CORVANE_OS_NOT_SUPPORTED, OS_UNKNOWN, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display);
        fake::SetVersionAnswer({c.result, c.code});
        testpage::PageFacts facts = Garbage();
        testpage::GatherFacts(facts, nullptr, nullptr);
        EXPECT_STREQ(facts.szOsDisplayName, c.display);
        EXPECT_STREQ(facts.pszPrinterName, "");
        EXPECT_STREQ(facts.pszPort, "");
        EXPECT_EQ(fake::VersionQueries(), 1);
    }
}

TEST(GatherFacts, ReadsTimeComputerAndDriverDirectory)
{
    fake::SetVersionAnswer({0, OS_WIN7});
    testpage::PageFacts facts = Garbage();
    testpage::GatherFacts(facts, "Front Desk", "LPT1:");
    EXPECT_TRUE(std::regex_match(facts.szTimeStamp,
                                 std::regex(R"(\d{1,2}:\d{1,2}:\d{1,2} (AM|PM)  \d{1,2}/\d{1,2}/\d{4} )")))
        << facts.szTimeStamp;

    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof computer;
    ASSERT_TRUE(GetComputerNameA(computer, &size));
    EXPECT_STREQ(facts.szComputerName, computer);

    const std::string directory = facts.szDriverDirectory;
    EXPECT_NE(directory.find("\\spool\\drivers\\"), std::string::npos) << directory;
    EXPECT_EQ(directory.find('#'), std::string::npos) << directory;
    EXPECT_STREQ(facts.pszPrinterName, "Front Desk");
    EXPECT_STREQ(facts.pszPort, "LPT1:");
}

// The wizard's screen context with its white bitmap and the logo, as the main
// window sets them up; released when the test ends.
class BorrowedScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_app.cxScreen = 64;
        g_app.cyScreen = 48;
        CreateOffscreen(nullptr);
        g_app.hbmLogo = CreateBitmap(288, 82, 1, 1, nullptr);
        ASSERT_NE(g_app.hdcOffscreen, nullptr);
        ASSERT_NE(g_app.hbmOffscreen, nullptr);
        ASSERT_NE(g_app.hbmLogo, nullptr);
    }
    void TearDown() override
    {
        ReleaseOffscreen();
        DeleteObject(g_app.hbmLogo);
        g_app.hbmLogo = nullptr;
    }
};

TEST_F(BorrowedScreen, PagesForAPrinterThatDoesNotExistPrintNothingAndGiveTheContextBack)
{
    fake::SetVersionAnswer({0, OS_WINXP});
    text::Copy(g_installState.szPrinter, "No Such Printer 7");
    text::Copy(g_installState.szPort, "LPT1:");
    const OSVERSION code = OS_WINXP;

    EXPECT_NE(PrintTestPage(0, &code, "No Such Printer 7"), 0u);
    EXPECT_EQ(GetCurrentObject(g_app.hdcOffscreen, OBJ_BITMAP), g_app.hbmOffscreen);
    EXPECT_NE(PrintReceiptTestPage(0, &code, "No Such Printer 7"), 0u);
    EXPECT_EQ(GetCurrentObject(g_app.hdcOffscreen, OBJ_BITMAP), g_app.hbmOffscreen);

    // The logo is not left selected anywhere: another context can take it.
    HDC other = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(other, g_app.hbmLogo);
    EXPECT_NE(previous, nullptr);
    SelectObject(other, previous);
    DeleteDC(other);
}

}  // namespace
