#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/bounded_string.h"

namespace {

// A buffer with guard bytes after it, so an overrun shows up as a changed guard.
struct GuardedBuffer {
    static constexpr std::size_t kGuard = 8;
    char bytes[64 + kGuard];
    std::size_t size;

    explicit GuardedBuffer(std::size_t n, const char* initial = "") : size(n)
    {
        std::memset(bytes, '#', sizeof bytes);
        if (n > 0)
            text::BoundedCopy(bytes, n, initial);
    }
    bool GuardIntact() const
    {
        for (std::size_t i = size; i < size + kGuard; ++i)
            if (bytes[i] != '#')
                return false;
        return true;
    }
};

TEST(BoundedString, CopyTruncatesAndTerminates)
{
    struct Case {
        std::size_t size;
        const char* source;
        const char* expected;
        bool complete;
    };
    const Case cases[] = {
        {8, "abc", "abc", true},
        {4, "abc", "abc", true},        // exactly fits with its terminator
        {3, "abc", "ab", false},        // one short: cut, terminated
        {1, "abc", "", false},          // room for the terminator only
        {8, "", "", true},
        {8, nullptr, "", true},         // a missing source copies as empty
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("size ") + std::to_string(c.size) + " source " + (c.source ? c.source : "null"));
        GuardedBuffer buffer(c.size, "zzzzzzz");
        EXPECT_EQ(text::BoundedCopy(buffer.bytes, c.size, c.source), c.complete);
        EXPECT_STREQ(buffer.bytes, c.expected);
        EXPECT_TRUE(buffer.GuardIntact());
    }
}

TEST(BoundedString, ZeroSizedBufferIsLeftAlone)
{
    char byte = 'x';
    EXPECT_FALSE(text::BoundedCopy(&byte, 0, "abc"));
    EXPECT_FALSE(text::BoundedAppend(&byte, 0, "abc"));
    EXPECT_FALSE(text::BoundedFormat(&byte, 0, "%d", 42));
    EXPECT_EQ(byte, 'x');
}

TEST(BoundedString, AppendTruncatesAndTerminates)
{
    struct Case {
        std::size_t size;
        const char* start;
        const char* tail;
        const char* expected;
        bool complete;
    };
    const Case cases[] = {
        {10, "Kyv", " QL", "Kyv QL", true},
        {7, "Kyv", " QL", "Kyv QL", true},
        {6, "Kyv", " QL", "Kyv Q", false},
        {4, "Kyv", " QL", "Kyv", false},   // already full
        {10, "", "abc", "abc", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + "+" + c.tail + " in " + std::to_string(c.size));
        GuardedBuffer buffer(c.size, c.start);
        EXPECT_EQ(text::BoundedAppend(buffer.bytes, c.size, c.tail), c.complete);
        EXPECT_STREQ(buffer.bytes, c.expected);
        EXPECT_TRUE(buffer.GuardIntact());
    }
}

TEST(BoundedString, AppendToUnterminatedBufferTerminatesIt)
{
    char buffer[4] = {'a', 'b', 'c', 'd'};
    EXPECT_FALSE(text::BoundedAppend(buffer, sizeof buffer, "e"));
    EXPECT_STREQ(buffer, "abc");
}

TEST(BoundedString, FormatTruncatesAndTerminates)
{
    GuardedBuffer wide(32);
    EXPECT_TRUE(text::BoundedFormat(wide.bytes, 32, "%s,%s,%s", "Front Desk", "Kyv QL 620", "LPT1:"));
    EXPECT_STREQ(wide.bytes, "Front Desk,Kyv QL 620,LPT1:");

    GuardedBuffer narrow(9);
    EXPECT_FALSE(text::BoundedFormat(narrow.bytes, 9, "Error code: %08lX", 0x20000003UL));
    EXPECT_STREQ(narrow.bytes, "Error co");
    EXPECT_TRUE(narrow.GuardIntact());
}

TEST(BoundedString, ArrayFormsTakeTheSizeFromTheBuffer)
{
    char small[5];
    EXPECT_FALSE(text::Copy(small, "Windows XP"));
    EXPECT_STREQ(small, "Wind");
    EXPECT_FALSE(text::Append(small, "!"));
    EXPECT_STREQ(small, "Wind");
    EXPECT_FALSE(text::Format(small, "%d", 123456));
    EXPECT_STREQ(small, "1234");
}

}  // namespace
