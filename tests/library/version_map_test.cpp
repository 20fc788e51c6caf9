#include <gtest/gtest.h>

#include "corvane/version_map.h"

namespace {

using corvane::MapSystemVersion;
using corvane::SystemVersion;

constexpr DWORD k9x = VER_PLATFORM_WIN32_WINDOWS;
constexpr DWORD kNt = VER_PLATFORM_WIN32_NT;
constexpr BYTE kWorkstation = VER_NT_WORKSTATION;
constexpr BYTE kServer = VER_NT_SERVER;
constexpr BYTE kDomainController = VER_NT_DOMAIN_CONTROLLER;

struct Case {
    const char* system;
    SystemVersion version;
    OSVERSION code;
};

void ExpectCodes(const Case* begin, const Case* end)
{
    for (const Case* c = begin; c != end; ++c) {
        SCOPED_TRACE(c->system);
        EXPECT_EQ(MapSystemVersion(c->version), c->code);
    }
}

TEST(LibraryVersionMap, EverySupportedSystemHasItsCode)
{
    const Case cases[] = {
        {"95", {4, 0, k9x, 0, false}, OS_WIN95},
        {"98", {4, 10, k9x, 0, false}, OS_WIN98},
        {"ME", {4, 90, k9x, 0, false}, OS_WINME},
        {"NT 4.0", {4, 0, kNt, kWorkstation, false}, OS_WINNT40},
        {"2000", {5, 0, kNt, kWorkstation, false}, OS_WIN2000},
        {"2003", {5, 2, kNt, kServer, false}, OS_WIN2003},
        {"XP", {5, 1, kNt, kWorkstation, false}, OS_WINXP},
        {"XP x64", {5, 2, kNt, kWorkstation, true}, OS_WINXPX64},
        {"Vista", {6, 0, kNt, kWorkstation, false}, OS_WINVISTA},
        {"7", {6, 1, kNt, kWorkstation, false}, OS_WIN7},
        {"7 x64", {6, 1, kNt, kWorkstation, true}, OS_WIN7X64},
        {"8", {6, 2, kNt, kWorkstation, false}, OS_WIN8},
        {"8 x64", {6, 2, kNt, kWorkstation, true}, OS_WIN8X64},
    };
    ExpectCodes(std::begin(cases), std::end(cases));
}

TEST(LibraryVersionMap, LaterSystemsAreEight)
{
    const Case cases[] = {
        {"8.1", {6, 3, kNt, kWorkstation, false}, OS_WIN8},
        {"8.1 x64", {6, 3, kNt, kWorkstation, true}, OS_WIN8X64},
        {"10", {10, 0, kNt, kWorkstation, false}, OS_WIN8},
        {"10 x64", {10, 0, kNt, kWorkstation, true}, OS_WIN8X64},
        {"Server 2012", {6, 2, kNt, kServer, false}, OS_WIN8},
        {"a future 11.0", {11, 0, kNt, kWorkstation, true}, OS_WIN8X64},
    };
    ExpectCodes(std::begin(cases), std::end(cases));
}

TEST(LibraryVersionMap, FiveTwoIsServerOrXpX64ByProductType)
{
    const Case cases[] = {
        {"2003 x64 stays 2003", {5, 2, kNt, kServer, true}, OS_WIN2003},
        {"2003 domain controller", {5, 2, kNt, kDomainController, false}, OS_WIN2003},
        {"5.2 without product type", {5, 2, kNt, 0, false}, OS_WIN2003},
        // XP x64 runs this 32-bit library only under WOW64: a 32-bit 5.2
        // workstation is no known system.
        {"5.2 workstation, 32-bit", {5, 2, kNt, kWorkstation, false}, OS_UNKNOWN},
    };
    ExpectCodes(std::begin(cases), std::end(cases));
}

TEST(LibraryVersionMap, ProductTypeAndBitnessMatterOnlyWhereTheCodesSaySo)
{
    const Case cases[] = {
        {"XP on WOW64 flag", {5, 1, kNt, kWorkstation, true}, OS_WINXP},
        {"Vista x64", {6, 0, kNt, kWorkstation, true}, OS_WINVISTA},
        {"Server 2008", {6, 0, kNt, kServer, false}, OS_WINVISTA},
        {"Server 2008 R2 x64", {6, 1, kNt, kServer, true}, OS_WIN7X64},
        {"2000 Server", {5, 0, kNt, kServer, false}, OS_WIN2000},
    };
    ExpectCodes(std::begin(cases), std::end(cases));
}

TEST(LibraryVersionMap, OlderAndUnknownSystemsAreUnsupported)
{
    const Case cases[] = {
        {"nothing known", {0, 0, 0, 0, false}, OS_UNKNOWN},
        {"Win32s", {3, 10, VER_PLATFORM_WIN32s, 0, false}, OS_UNKNOWN},
        {"NT 3.51", {3, 51, kNt, kWorkstation, false}, OS_UNKNOWN},
        {"95-family 4.3", {4, 3, k9x, 0, false}, OS_UNKNOWN},
        {"95-family 5.0", {5, 0, k9x, 0, false}, OS_UNKNOWN},
        {"95-family numbers on NT", {4, 10, kNt, kWorkstation, false}, OS_UNKNOWN},
        {"NT numbers on the 95 family", {5, 1, k9x, 0, false}, OS_UNKNOWN},
        {"NT 4.1", {4, 1, kNt, kWorkstation, false}, OS_UNKNOWN},
        {"NT 5.3", {5, 3, kNt, kWorkstation, false}, OS_UNKNOWN},
        {"CE platform", {6, 2, 3, 0, false}, OS_UNKNOWN},
    };
    ExpectCodes(std::begin(cases), std::end(cases));
}

}  // namespace
