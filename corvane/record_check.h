// Validation of the printer records handed to the library. Pure: reads the record
// and the strings its pointers name, nothing else, so it can run before anything on
// the system is touched.
#pragma once

#include <cstddef>

#include "install/corvane_api.h"

namespace corvane {

enum class RecordFault {
    None,
    Unterminated,       // a character field has no terminator inside its size
    Empty,              // a field that must hold text is empty
    NotPlainFileName,   // a file name with a path separator, a drive or ".."
    BadAttributes,      // neither LOCAL nor LOCAL | DEFAULT
    BadPointer,         // a pointed-to string without a terminator within the bound
    ReservedNotZero,
};

struct RecordCheck {
    RecordFault fault = RecordFault::None;
    const char* field = "";   // the member that failed, for the trace
};

// A pointed-to string must end within this many bytes; the library never knows the
// size of what a pointer names, so it reads no further.
inline constexpr std::size_t kPointedStringLimit = 260;

// Only these two: a local printer, optionally the default one.
inline constexpr DWORD kAttributesLocal = CORVANE_ATTRIBUTE_LOCAL;
inline constexpr DWORD kAttributesLocalDefault = CORVANE_ATTRIBUTE_LOCAL | CORVANE_ATTRIBUTE_DEFAULT;

RecordCheck CheckRecord(const _PRINTERINFO_NTA& record);
RecordCheck CheckRecord(const _PRINTERINFO_95& record);

// Building blocks, also used on their own by the installation.
bool IsTerminatedWithin(const char* text, std::size_t size);
bool IsPlainFileName(const char* name);   // name must be terminated

}  // namespace corvane
