#include "corvane/file_names.h"

#include <cstring>

#include "app/bounded_string.h"

namespace corvane {
namespace {

constexpr char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithSeparator(const char* text)
{
    const std::size_t length = std::strlen(text);
    return length > 0 && (text[length - 1] == '\\' || text[length - 1] == '/');
}

}  // namespace

bool JoinPath(PathBuffer& out, const char* directory, const char* name)
{
    const bool complete = text::Copy(out, directory) &&
                          (EndsWithSeparator(directory) || text::Append(out, "\\")) &&
                          text::Append(out, name);
    if (!complete)
        out[0] = '\0';
    return complete;
}

bool SameFileName(const char* a, const char* b)
{
    std::size_t i = 0;
    for (; a[i] != '\0' && b[i] != '\0'; ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return a[i] == b[i];
}

bool HasExtension(const char* name, const char* extension)
{
    const std::size_t nameLength = std::strlen(name);
    const std::size_t extensionLength = std::strlen(extension);
    return nameLength > extensionLength && SameFileName(name + nameLength - extensionLength, extension);
}

}  // namespace corvane
