#include "corvane/trace.h"

#include <windows.h>

#include <cstdarg>

#include "app/bounded_string.h"

namespace corvane {
namespace {

constexpr char kPrefix[] = "Corvane: ";
constexpr std::size_t kLineChars = 160;

}  // namespace

void Trace(const char* format, ...)
{
    char line[kLineChars];
    text::Copy(line, kPrefix);
    va_list args;
    va_start(args, format);
    text::BoundedFormatV(line + sizeof kPrefix - 1, sizeof line - (sizeof kPrefix - 1), format, args);
    va_end(args);
    OutputDebugStringA(line);
}

}  // namespace corvane
