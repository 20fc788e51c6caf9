#include "fake_library.h"

namespace fake {
namespace {
VersionAnswer g_answer{0, OS_WINXP};
int g_queries = 0;
}  // namespace

void SetVersionAnswer(VersionAnswer answer)
{
    g_answer = answer;
    g_queries = 0;
}

int VersionQueries() { return g_queries; }

}  // namespace fake

DWORD WINAPI GetOperatingSystemVersionA(OSVERSION* version)
{
    ++fake::g_queries;
    // The real library writes the unknown code along with "not supported".
    *version = fake::g_answer.result == CORVANE_OS_NOT_SUPPORTED ? OS_UNKNOWN : fake::g_answer.code;
    return fake::g_answer.result;
}
