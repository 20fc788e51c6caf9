#include <gtest/gtest.h>

#include <string>

#include "corvane/file_names.h"

namespace {

using corvane::PathBuffer;

TEST(LibraryFileNames, JoinPathAddsOneSeparator)
{
    struct Case {
        const char* directory;
        const char* name;
        const char* path;
    };
    const Case cases[] = {
        {"C:\\medium", "QL620.GPD", "C:\\medium\\QL620.GPD"},
        {"D:\\", "QL22.dll", "D:\\QL22.dll"},
        {"Z:/tmp/medium/", "QL22.dll", "Z:/tmp/medium/QL22.dll"},
        {"C:\\windows\\system32\\spool\\drivers\\w32x86", "3", "C:\\windows\\system32\\spool\\drivers\\w32x86\\3"},
    };
    for (const Case& c : cases) {
        PathBuffer path;
        EXPECT_TRUE(corvane::JoinPath(path, c.directory, c.name));
        EXPECT_STREQ(path, c.path);
    }
}

// A cut path would name another file: it must fail instead.
TEST(LibraryFileNames, JoinPathRefusesWhatDoesNotFit)
{
    const std::string directory(MAX_PATH - 6, 'd');
    PathBuffer path;
    EXPECT_TRUE(corvane::JoinPath(path, directory.c_str(), "a.gp"));   // 254 + 1 + 4 + terminator
    EXPECT_FALSE(corvane::JoinPath(path, directory.c_str(), "a.gpd"));
    EXPECT_STREQ(path, "");
}

TEST(LibraryFileNames, GpdExtensionIgnoresCaseButNotLength)
{
    EXPECT_TRUE(corvane::HasExtension("QL620.GPD", ".GPD"));
    EXPECT_TRUE(corvane::HasExtension("ql620.gpd", ".GPD"));
    EXPECT_FALSE(corvane::HasExtension("QL620.GPDX", ".GPD"));   // found by "*.GPD" through its short name
    EXPECT_FALSE(corvane::HasExtension("QL620GPD", ".GPD"));
    EXPECT_FALSE(corvane::HasExtension(".GPD", ".GPD"));
}

}  // namespace
