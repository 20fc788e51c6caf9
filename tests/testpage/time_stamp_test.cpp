#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "testpage/page_content.h"

namespace {

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    time.wDayOfWeek = 4;   // never printed
    time.wMilliseconds = 999;
    return time;
}

std::string Stamp(const SYSTEMTIME& time)
{
    char line[testpage::kLineChars];
    std::memset(line, '#', sizeof line);
    testpage::FormatTimeStamp(time, line);
    return line;
}

TEST(TimeStamp, TwelveHourRuleKeepsNoonAsAmAndMidnightAsZero)
{
    struct Case {
        WORD hour, minute, second;
        const char* expected;
    };
    const Case cases[] = {
        {12, 30, 5, "12:30:5 AM  3/14/2024 "},
        {0, 4, 0, "0:4:0 AM  3/14/2024 "},
        {13, 0, 0, "1:0:0 PM  3/14/2024 "},
        {11, 59, 59, "11:59:59 AM  3/14/2024 "},
        {23, 59, 59, "11:59:59 PM  3/14/2024 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(Stamp(At(2024, 3, 14, c.hour, c.minute, c.second)), c.expected);
    }
}

TEST(TimeStamp, MonthBeforeDayFourDigitYearNoPaddingTrailingBlank)
{
    EXPECT_EQ(Stamp(At(2012, 7, 5, 9, 7, 3)), "9:7:3 AM  7/5/2012 ");
    EXPECT_EQ(Stamp(At(1999, 12, 31, 20, 10, 9)), "8:10:9 PM  12/31/1999 ");
}

}  // namespace
