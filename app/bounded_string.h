// Bounded copy, append and formatted print into fixed character buffers.
// All three truncate at the buffer's size, keep one place for the terminator and
// always terminate (the semantics of StringCchCopyA / StringCchPrintfA). They return
// false when the text had to be cut or the buffer has no room at all.
#pragma once

#include <cstdarg>
#include <cstddef>

namespace text {

bool BoundedCopy(char* dst, std::size_t cchDst, const char* src);
bool BoundedAppend(char* dst, std::size_t cchDst, const char* src);
bool BoundedFormatV(char* dst, std::size_t cchDst, const char* format, va_list args);
bool BoundedFormat(char* dst, std::size_t cchDst, const char* format, ...)
    __attribute__((format(gnu_printf, 3, 4)));

// Array forms: the size comes from the buffer itself, so no call can pass a wrong one.
template <std::size_t N>
bool Copy(char (&dst)[N], const char* src) { return BoundedCopy(dst, N, src); }

template <std::size_t N>
bool Append(char (&dst)[N], const char* src) { return BoundedAppend(dst, N, src); }

template <std::size_t N, typename... Args>
bool Format(char (&dst)[N], const char* format, Args... args)
{
    return BoundedFormat(dst, N, format, args...);
}

}  // namespace text
