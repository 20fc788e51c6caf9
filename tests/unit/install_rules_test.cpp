#include <gtest/gtest.h>

#include <string>

#include "install/corvane_api.h"
#include "install/install_rules.h"

namespace {

TEST(InstallRules, PrinterNames)
{
    struct Case {
        const char* name;
        NameProblem problem;
    };
    const Case cases[] = {
        {"", NameProblem::Empty},
        {"     ", NameProblem::Empty},
        {"                              ", NameProblem::Empty},   // 30 blanks
        {"\t", NameProblem::None},                                 // only blanks count as empty
        {"Front Desk", NameProblem::None},
        {"  Front Desk  ", NameProblem::None},
        {"Desk:2", NameProblem::None},
        {"Desk/2", NameProblem::None},
        {"a!b", NameProblem::RefusedCharacter},
        {"a=b", NameProblem::RefusedCharacter},
        {"a;b", NameProblem::RefusedCharacter},
        {"a\\b", NameProblem::RefusedCharacter},
        {"a,b", NameProblem::RefusedCharacter},
        {" ,", NameProblem::RefusedCharacter},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckPrinterName(c.name), c.problem) << "'" << c.name << "'";
}

TEST(InstallRules, OutcomeOfEveryResult)
{
    struct Case {
        DWORD result;
        Outcome outcome;
    };
    const Case cases[] = {
        {0, Outcome::Installed},
        {5, Outcome::NoPrivileges},
        {1722, Outcome::SpoolerDown},
        {123, Outcome::SpoolerDown},
        {32, Outcome::AlreadyInstalled},
        {CORVANE_ALREADY_INSTALLED, Outcome::AlreadyInstalled},
        // Anything else is a failure, never an installed printer.
        {2, Outcome::Failed},
        {87, Outcome::Failed},
        {CORVANE_OS_NOT_SUPPORTED, Outcome::Failed},
        {0xFFFFFFFF, Outcome::Failed},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OutcomeOf(c.result), c.outcome) << c.result;
}

TEST(InstallRules, DefaultEntryIsJoinedByCommasAndCutAt99)
{
    char entry[kDefaultEntryChars];
    ComposeDefaultEntry("Front Desk", "Kyv QL 620", "LPT1:", entry);
    EXPECT_STREQ(entry, "Front Desk,Kyv QL 620,LPT1:");

    const std::string longPort(120, 'P');
    ComposeDefaultEntry("Front Desk", "Kyv QL 620", longPort.c_str(), entry);
    EXPECT_EQ(std::string(entry).size(), 99u);
    EXPECT_EQ(std::string(entry), ("Front Desk,Kyv QL 620," + longPort).substr(0, 99));
}

TEST(InstallRules, ConfirmationAndFailureTexts)
{
    char question[kMessageChars];
    ComposeConfirmation("LPT1:", question);
    EXPECT_STREQ(question, "You selected the port LPT1:\nEnsure that you have selected right port.\nPress Yes to Continue.");

    char report[kErrorTextChars];
    ComposeFailureText(31, "A device attached to the system is not functioning.", report);
    EXPECT_STREQ(report,
                 "\rPrinter driver installation is failed.\r\rError code: 0x0000001F\rA device attached to the "
                 "system is not functioning.");
    ComposeFailureText(0x20000009, "", report);
    EXPECT_STREQ(report, "\rPrinter driver installation is failed.\r\rError code: 0x20000009");
}

TEST(InstallRules, ReceiptModelsByName)
{
    EXPECT_FALSE(UsesReceiptPage("Kyv QL 610"));
    EXPECT_FALSE(UsesReceiptPage("Kyv QL 630"));
    EXPECT_TRUE(UsesReceiptPage("Kyv RT 12"));
    EXPECT_TRUE(UsesReceiptPage("Kyv PK 700 (ESC POS)"));
    EXPECT_TRUE(UsesReceiptPage("New Kyv PK 700"));   // contained, case-sensitive
    EXPECT_FALSE(UsesReceiptPage("kyv pk 700"));
}

}  // namespace
