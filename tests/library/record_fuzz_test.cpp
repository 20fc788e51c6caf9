// Random and mutated records against the validator: it must not crash, must not read
// outside the record (every record ends right before an inaccessible page) and must
// accept exactly the records that keep the rules. The rules are checked again here,
// written independently of the validator.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/record_check.h"
#include "guarded_memory.h"
#include "records.h"

namespace {

using library_test::GuardedPage;

constexpr unsigned kSeed = 20240611;
constexpr int kRecordsPerType = 3000;

// ---- Strings the pointers of a record may name ---------------------------------

struct PointedString {
    std::string text;
    bool terminated;
    std::unique_ptr<GuardedPage> page = std::make_unique<GuardedPage>();
    const char* placed = nullptr;
};

class PointerPool {
public:
    PointerPool()
    {
        Add("QL22.dll", true);
        Add("ICONLIB.dll", true);
        Add("", true);
        Add("..\\QL22.dll", true);
        Add("C:\\WINDOWS\\QL22.dll", true);
        Add("lib/QL22.dll", true);
        Add("a..b", true);
        Add("Kyv", true);
        Add("http://www.kyv.example/", true);
        Add(std::string(259, 'n'), true);
        // Unterminated blocks of the full bound only: a shorter unterminated string
        // cannot be told from a longer one by any reader.
        Add(std::string(260, 'u'), false);
        Add(std::string(260, '\\'), false);
    }

    bool Guarded() const
    {
        for (const PointedString& entry : entries_) {
            if (!entry.page->IsGuarded())
                return false;
        }
        return true;
    }

    const char* Pick(std::mt19937& random) const
    {
        std::uniform_int_distribution<std::size_t> index(0, entries_.size());
        const std::size_t i = index(random);
        return i == entries_.size() ? nullptr : entries_[i].placed;
    }

    // The entry with this text, standing in for a valid record's own strings.
    const char* Equal(const char* text) const
    {
        for (const PointedString& entry : entries_) {
            if (entry.terminated && entry.text == text)
                return entry.placed;
        }
        return nullptr;
    }

    const PointedString* Find(const char* pointer) const
    {
        for (const PointedString& entry : entries_) {
            if (entry.placed == pointer)
                return &entry;
        }
        return nullptr;
    }

private:
    void Add(std::string text, bool terminated)
    {
        PointedString entry{std::move(text), terminated};
        entry.placed = entry.page->PlaceText(entry.text.data(), entry.text.size(), terminated);
        entries_.push_back(std::move(entry));
    }

    std::vector<PointedString> entries_;
};

// ---- The rules, independently ---------------------------------------------------

template <std::size_t N>
std::optional<std::string_view> TextOf(const char (&field)[N])
{
    const void* end = std::memchr(field, '\0', N);
    if (end == nullptr)
        return std::nullopt;
    return std::string_view(field, static_cast<std::size_t>(static_cast<const char*>(end) - field));
}

bool IsPlain(std::string_view name)
{
    return name.find_first_of("\\/:") == std::string_view::npos && name.find("..") == std::string_view::npos;
}

bool AttributesAllowed(DWORD attributes)
{
    return attributes == 0x40 || attributes == 0x44;
}

// nullptr: no string. Otherwise the pool entry must be terminated (and plain when it
// names a file).
bool PointerAllowed(const PointerPool& pool, const char* pointer, bool fileName)
{
    if (pointer == nullptr)
        return true;
    const PointedString* entry = pool.Find(pointer);
    return entry != nullptr && entry->terminated && (!fileName || IsPlain(entry->text));
}

bool KeepsRules(const _PRINTERINFO_NTA& r, const PointerPool& pool)
{
    const auto printer = TextOf(r.szPrinterName);
    const auto driver = TextOf(r.szDriverName);
    const auto manufacturer = TextOf(r.szManufacturer);
    const auto port = TextOf(r.szPortName);
    const auto processor = TextOf(r.szPrintProcessor);
    const auto source = TextOf(r.szSourcePath);
    const auto driverFile = TextOf(r.szDriverFile);
    const auto help = TextOf(r.szHelpFile);
    const auto config = TextOf(r.szConfigFile);
    const auto data = TextOf(r.szDataFile);
    if (!printer || !driver || !manufacturer || !port || !processor || !source || !driverFile || !help ||
        !config || !data)
        return false;
    for (std::string_view required : {*printer, *driver, *port, *source, *driverFile, *config, *data}) {
        if (required.empty())
            return false;
    }
    for (std::string_view file : {*driverFile, *help, *config, *data}) {
        if (!IsPlain(file))
            return false;
    }
    return PointerAllowed(pool, r.pszDependencyFile, true) && PointerAllowed(pool, r.pszManufacturer, false) &&
           PointerAllowed(pool, r.pszWebSite, false) && AttributesAllowed(r.dwAttributes);
}

bool KeepsRules(const _PRINTERINFO_95& r, const PointerPool& pool)
{
    const auto printer = TextOf(r.szPrinterName);
    const auto driver = TextOf(r.szDriverName);
    const auto share = TextOf(r.szShareName);
    const auto port = TextOf(r.szPortName);
    const auto processor = TextOf(r.szPrintProcessor);
    const auto source = TextOf(r.szSourcePath);
    const auto driverFile = TextOf(r.szDriverFile);
    const auto help = TextOf(r.szHelpFile);
    if (!printer || !driver || !share || !port || !processor || !source || !driverFile || !help)
        return false;
    for (std::string_view required : {*printer, *driver, *port, *source}) {
        if (required.empty())
            return false;
    }
    if (!IsPlain(*driverFile) || !IsPlain(*help))
        return false;
    return r.reserved[0] == 0 && r.reserved[1] == 0 && PointerAllowed(pool, r.pszDependencyFile, true) &&
           AttributesAllowed(r.dwAttributes);
}

// ---- Mutations --------------------------------------------------------------------

struct Span {
    std::size_t offset;
    std::size_t size;
};

#define FIELD(Record, member) Span{offsetof(Record, member), sizeof(Record::member)}

constexpr Span kNtText[] = {
    FIELD(_PRINTERINFO_NTA, szPrinterName), FIELD(_PRINTERINFO_NTA, szDriverName),
    FIELD(_PRINTERINFO_NTA, szManufacturer), FIELD(_PRINTERINFO_NTA, szPortName),
    FIELD(_PRINTERINFO_NTA, szPrintProcessor), FIELD(_PRINTERINFO_NTA, szSourcePath),
    FIELD(_PRINTERINFO_NTA, szDriverFile), FIELD(_PRINTERINFO_NTA, szHelpFile),
    FIELD(_PRINTERINFO_NTA, szConfigFile), FIELD(_PRINTERINFO_NTA, szDataFile),
};
constexpr Span kNtPointers[] = {
    FIELD(_PRINTERINFO_NTA, pszDependencyFile), FIELD(_PRINTERINFO_NTA, pszManufacturer),
    FIELD(_PRINTERINFO_NTA, pszWebSite),
};
constexpr Span k95Text[] = {
    FIELD(_PRINTERINFO_95, szPrinterName), FIELD(_PRINTERINFO_95, szDriverName),
    FIELD(_PRINTERINFO_95, szShareName), FIELD(_PRINTERINFO_95, szPortName),
    FIELD(_PRINTERINFO_95, szPrintProcessor), FIELD(_PRINTERINFO_95, szSourcePath),
    FIELD(_PRINTERINFO_95, szDriverFile), FIELD(_PRINTERINFO_95, szHelpFile),
};
constexpr Span k95Pointers[] = {FIELD(_PRINTERINFO_95, pszDependencyFile)};

#undef FIELD

constexpr const char* kNames[] = {
    "..\\UNIDRV.DLL", "sub\\QL620.GPD", "ui/UNIDRVUI.DLL", "C:QL22.dll", "QL620..GPD", "..",
    "UNIDRV.DLL", "QL620.GPD", "Q.L.GPD", "", "LPT1:", "D:\\DRIVERS",
};
constexpr char kBytes[] = {'\0', '\\', '/', ':', '.', 'A', ' ', '\x7F', '\xFF'};
constexpr DWORD kAttributes[] = {0x40, 0x44, 0, 0x4, 0x41, 0x48, 0x240, 0xFFFFFFFF};

class Mutator {
public:
    Mutator(std::mt19937& random, const PointerPool& pool) : random_(random), pool_(pool) {}

    template <std::size_t T, std::size_t P>
    void Mutate(char* record, std::size_t size, const Span (&text)[T], const Span (&pointers)[P],
                DWORD* attributes, BYTE* reserved)
    {
        const int steps = Between(1, 3);
        for (int step = 0; step < steps; ++step) {
            const Span& field = text[Below(T)];
            char* bytes = record + field.offset;
            switch (Below(9)) {
            case 0: OverwriteByte(record, size, pointers); break;
            case 1: FlipBit(record, size, pointers); break;
            case 2: RemoveTerminator(bytes, field.size); break;
            case 3: InsertByte(bytes, field.size); break;
            case 4: *attributes = Below(2) == 0 ? kAttributes[Below(std::size(kAttributes))] : random_(); break;
            case 5: WriteName(bytes, field.size); break;
            case 6: SetPointer(record, pointers[Below(P)]); break;
            case 7: bytes[0] = '\0'; break;
            case 8:
                if (reserved != nullptr)
                    reserved[Below(2)] = static_cast<BYTE>(Below(2) == 0 ? 0 : random_());
                break;
            }
        }
    }

private:
    std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    char RandomByte()
    {
        return Below(2) == 0 ? kBytes[Below(std::size(kBytes))] : static_cast<char>(random_());
    }

    template <std::size_t P>
    static const Span* PointerAt(std::size_t offset, const Span (&pointers)[P])
    {
        for (const Span& pointer : pointers) {
            if (offset >= pointer.offset && offset < pointer.offset + pointer.size)
                return &pointer;
        }
        return nullptr;
    }

    // Pointer bytes are never garbled: a pointer names a pool entry or nothing.
    template <std::size_t P>
    void OverwriteByte(char* record, std::size_t size, const Span (&pointers)[P])
    {
        const std::size_t offset = Below(size);
        if (const Span* pointer = PointerAt(offset, pointers))
            SetPointer(record, *pointer);
        else
            record[offset] = RandomByte();
    }

    template <std::size_t P>
    void FlipBit(char* record, std::size_t size, const Span (&pointers)[P])
    {
        const std::size_t offset = Below(size);
        if (const Span* pointer = PointerAt(offset, pointers))
            SetPointer(record, *pointer);
        else
            record[offset] = static_cast<char>(record[offset] ^ (1 << Below(8)));
    }

    void RemoveTerminator(char* bytes, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i) {
            if (bytes[i] == '\0')
                bytes[i] = 'Z';
        }
    }

    void InsertByte(char* bytes, std::size_t size)
    {
        const std::size_t at = Below(size);
        std::memmove(bytes + at + 1, bytes + at, size - at - 1);
        bytes[at] = RandomByte();
    }

    void WriteName(char* bytes, std::size_t size)
    {
        const char* name = kNames[Below(std::size(kNames))];
        const std::size_t length = std::min(std::strlen(name), size - 1);
        std::memcpy(bytes, name, length);
        bytes[length] = '\0';
    }

    void SetPointer(char* record, const Span& pointer)
    {
        const char* value = pool_.Pick(random_);
        std::memcpy(record + pointer.offset, &value, sizeof value);
    }

    std::mt19937& random_;
    const PointerPool& pool_;
};

struct Tally {
    int accepted = 0;
    int rejected = 0;
    int disagreements = 0;
    int firstDisagreement = -1;

    void Count(int iteration, bool accepted_, bool keepsRules)
    {
        (accepted_ ? accepted : rejected) += 1;
        if (accepted_ != keepsRules) {
            ++disagreements;
            if (firstDisagreement < 0)
                firstDisagreement = iteration;
        }
    }
};

BYTE* ReservedOf(_PRINTERINFO_NTA&)
{
    return nullptr;
}

BYTE* ReservedOf(_PRINTERINFO_95& record)
{
    return record.reserved;
}

template <typename Record, std::size_t T, std::size_t P>
Tally Fuzz(Record (*makeValid)(), const Span (&text)[T], const Span (&pointers)[P])
{
    std::mt19937 random(kSeed);
    PointerPool pool;
    GuardedPage page;
    EXPECT_TRUE(pool.Guarded());
    EXPECT_TRUE(page.IsGuarded());
    Mutator mutator(random, pool);
    Tally tally;
    for (int i = 0; i < kRecordsPerType; ++i) {
        Record record = makeValid();
        char* bytes = reinterpret_cast<char*>(&record);
        for (const Span& pointer : pointers) {
            const char* value = nullptr;
            std::memcpy(&value, bytes + pointer.offset, sizeof value);
            value = value != nullptr ? pool.Equal(value) : nullptr;
            std::memcpy(bytes + pointer.offset, &value, sizeof value);
        }
        // Some records start from random bytes in every text field.
        if (i % 10 == 0) {
            for (const Span& field : text) {
                for (std::size_t b = 0; b < field.size; ++b)
                    bytes[field.offset + b] = static_cast<char>(random());
            }
        }
        mutator.Mutate(bytes, sizeof record, text, pointers, &record.dwAttributes, ReservedOf(record));
        const Record* placed = page.PlaceAtEnd(record);
        const bool accepted = corvane::CheckRecord(*placed).fault == corvane::RecordFault::None;
        tally.Count(i, accepted, KeepsRules(*placed, pool));
    }
    return tally;
}

void ExpectAgreement(const Tally& tally)
{
    EXPECT_EQ(tally.disagreements, 0) << "first at record " << tally.firstDisagreement << ", seed " << kSeed;
    // Both answers must be common, or the run proved little.
    EXPECT_GT(tally.accepted, kRecordsPerType / 20);
    EXPECT_GT(tally.rejected, kRecordsPerType / 20);
}

TEST(LibraryRecordFuzz, NtRecordsAcceptedExactlyWhenTheyKeepTheRules)
{
    ExpectAgreement(Fuzz(library_test::ValidNtRecord, kNtText, kNtPointers));
}

TEST(LibraryRecordFuzz, NinetyFiveRecordsAcceptedExactlyWhenTheyKeepTheRules)
{
    ExpectAgreement(Fuzz(library_test::Valid95Record, k95Text, k95Pointers));
}

}  // namespace
