#include "app/bounded_string.h"

#include <cstdio>
#include <cstring>

namespace text {

bool BoundedCopy(char* dst, std::size_t cchDst, const char* src)
{
    if (dst == nullptr || cchDst == 0)
        return false;
    if (src == nullptr)
        src = "";
    std::size_t n = 0;
    while (n + 1 < cchDst && src[n] != '\0') {
        dst[n] = src[n];
        ++n;
    }
    dst[n] = '\0';
    return src[n] == '\0';
}

bool BoundedAppend(char* dst, std::size_t cchDst, const char* src)
{
    if (dst == nullptr || cchDst == 0)
        return false;
    const std::size_t used = strnlen(dst, cchDst);
    if (used == cchDst) {  // not terminated inside the buffer: terminate at its end
        dst[cchDst - 1] = '\0';
        return false;
    }
    return BoundedCopy(dst + used, cchDst - used, src);
}

bool BoundedFormatV(char* dst, std::size_t cchDst, const char* format, va_list args)
{
    if (dst == nullptr || cchDst == 0)
        return false;
    const int needed = std::vsnprintf(dst, cchDst, format ? format : "", args);
    dst[cchDst - 1] = '\0';
    if (needed < 0) {
        dst[0] = '\0';
        return false;
    }
    return static_cast<std::size_t>(needed) < cchDst;
}

bool BoundedFormat(char* dst, std::size_t cchDst, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const bool complete = BoundedFormatV(dst, cchDst, format, args);
    va_end(args);
    return complete;
}

}  // namespace text
