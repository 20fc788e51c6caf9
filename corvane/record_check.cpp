#include "corvane/record_check.h"

namespace corvane {
namespace {

enum Rule : unsigned {
    kAnyText = 0,
    kNonEmpty = 1u << 0,
    kFileName = 1u << 1,
};

struct Field {
    const char* name;
    std::size_t offset;
    std::size_t size;
    unsigned rules;
};

#define CORVANE_FIELD(Record, member, rules) \
    Field{#member, offsetof(Record, member), sizeof(Record::member), rules}

constexpr Field kNtFields[] = {
    CORVANE_FIELD(_PRINTERINFO_NTA, szPrinterName, kNonEmpty),
    CORVANE_FIELD(_PRINTERINFO_NTA, szDriverName, kNonEmpty),
    CORVANE_FIELD(_PRINTERINFO_NTA, szManufacturer, kAnyText),
    CORVANE_FIELD(_PRINTERINFO_NTA, szPortName, kNonEmpty),
    CORVANE_FIELD(_PRINTERINFO_NTA, szPrintProcessor, kAnyText),
    CORVANE_FIELD(_PRINTERINFO_NTA, szSourcePath, kNonEmpty),
    CORVANE_FIELD(_PRINTERINFO_NTA, szDriverFile, kNonEmpty | kFileName),
    CORVANE_FIELD(_PRINTERINFO_NTA, szHelpFile, kFileName),
    CORVANE_FIELD(_PRINTERINFO_NTA, szConfigFile, kNonEmpty | kFileName),
    CORVANE_FIELD(_PRINTERINFO_NTA, szDataFile, kNonEmpty | kFileName),
};

// The 95 record names no data file, and its driver file may be empty: the system's
// universal driver stands in then.
constexpr Field k95Fields[] = {
    CORVANE_FIELD(_PRINTERINFO_95, szPrinterName, kNonEmpty),
    CORVANE_FIELD(_PRINTERINFO_95, szDriverName, kNonEmpty),
    CORVANE_FIELD(_PRINTERINFO_95, szShareName, kAnyText),
    CORVANE_FIELD(_PRINTERINFO_95, szPortName, kNonEmpty),
    CORVANE_FIELD(_PRINTERINFO_95, szPrintProcessor, kAnyText),
    CORVANE_FIELD(_PRINTERINFO_95, szSourcePath, kNonEmpty),
    CORVANE_FIELD(_PRINTERINFO_95, szDriverFile, kFileName),
    CORVANE_FIELD(_PRINTERINFO_95, szHelpFile, kFileName),
};

#undef CORVANE_FIELD

constexpr bool IsSeparator(char c)
{
    return c == '\\' || c == '/' || c == ':';
}

RecordCheck Fault(RecordFault fault, const char* field)
{
    return RecordCheck{fault, field};
}

RecordCheck CheckText(const char* text, std::size_t size, unsigned rules, const char* name)
{
    if (!IsTerminatedWithin(text, size))
        return Fault(RecordFault::Unterminated, name);
    if ((rules & kNonEmpty) != 0 && text[0] == '\0')
        return Fault(RecordFault::Empty, name);
    if ((rules & kFileName) != 0 && text[0] != '\0' && !IsPlainFileName(text))
        return Fault(RecordFault::NotPlainFileName, name);
    return {};
}

template <std::size_t N>
RecordCheck CheckFields(const void* record, const Field (&fields)[N])
{
    const char* base = static_cast<const char*>(record);
    for (const Field& field : fields) {
        const RecordCheck check = CheckText(base + field.offset, field.size, field.rules, field.name);
        if (check.fault != RecordFault::None)
            return check;
    }
    return {};
}

// A null pointer means "none"; otherwise the string must end within the bound.
RecordCheck CheckPointer(const char* text, unsigned rules, const char* name)
{
    if (text == nullptr)
        return {};
    const RecordCheck check = CheckText(text, kPointedStringLimit, rules, name);
    if (check.fault == RecordFault::Unterminated)
        return Fault(RecordFault::BadPointer, name);
    return check;
}

RecordCheck CheckAttributes(DWORD attributes)
{
    if (attributes == kAttributesLocal || attributes == kAttributesLocalDefault)
        return {};
    return Fault(RecordFault::BadAttributes, "dwAttributes");
}

}  // namespace

bool IsTerminatedWithin(const char* text, std::size_t size)
{
    // Byte by byte and stopping at the terminator: the bytes after it may not exist.
    for (std::size_t i = 0; i < size; ++i) {
        if (text[i] == '\0')
            return true;
    }
    return false;
}

bool IsPlainFileName(const char* name)
{
    for (std::size_t i = 0; name[i] != '\0'; ++i) {
        if (IsSeparator(name[i]))
            return false;
        if (name[i] == '.' && name[i + 1] == '.')
            return false;
    }
    return true;
}

RecordCheck CheckRecord(const _PRINTERINFO_NTA& record)
{
    RecordCheck check = CheckFields(&record, kNtFields);
    if (check.fault == RecordFault::None)
        check = CheckPointer(record.pszDependencyFile, kFileName, "pszDependencyFile");
    if (check.fault == RecordFault::None)
        check = CheckPointer(record.pszManufacturer, kAnyText, "pszManufacturer");
    if (check.fault == RecordFault::None)
        check = CheckPointer(record.pszWebSite, kAnyText, "pszWebSite");
    if (check.fault == RecordFault::None)
        check = CheckAttributes(record.dwAttributes);
    return check;
}

RecordCheck CheckRecord(const _PRINTERINFO_95& record)
{
    RecordCheck check = CheckFields(&record, k95Fields);
    if (check.fault == RecordFault::None && (record.reserved[0] != 0 || record.reserved[1] != 0))
        check = Fault(RecordFault::ReservedNotZero, "reserved");
    if (check.fault == RecordFault::None)
        check = CheckPointer(record.pszDependencyFile, kFileName, "pszDependencyFile");
    if (check.fault == RecordFault::None)
        check = CheckAttributes(record.dwAttributes);
    return check;
}

}  // namespace corvane
