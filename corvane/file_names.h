// Path building for the driver files: bounded, and failing rather than cutting.
#pragma once

#include <windows.h>

#include <cstddef>

namespace corvane {

using PathBuffer = char[MAX_PATH];

// directory + '\' + name (no second separator when directory ends in one).
// False, with an empty result, when the path does not fit.
bool JoinPath(PathBuffer& out, const char* directory, const char* name);

// Case-insensitive in ASCII, e.g. HasExtension("ql620.gpd", ".GPD").
bool HasExtension(const char* name, const char* extension);

// Case-insensitive in ASCII: file names on the spooler's side compare that way.
bool SameFileName(const char* a, const char* b);

}  // namespace corvane
