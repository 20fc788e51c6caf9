// Reads the resources compiled into Corvane.exe and checks them against the page
// tables: a resource compiler that adds a style bit, drops a font field or reorders
// controls would change how the pages look and behave.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

enum class Kind : WORD { Button = 0x80, Edit = 0x81, Static = 0x82, ListBox = 0x83, ComboBox = 0x85 };

struct ControlRow {
    int id;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    WORD bitmap;                 // the control's text is this resource ordinal; 0: no text
    Kind kind = Kind::Static;
};

const wchar_t* KindName(Kind kind)
{
    switch (kind) {
    case Kind::Button: return L"BUTTON";
    case Kind::Edit: return L"EDIT";
    case Kind::Static: return L"STATIC";
    case Kind::ListBox: return L"LISTBOX";
    case Kind::ComboBox: return L"COMBOBOX";
    }
    return L"";
}

struct TemplateHeader {
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    WORD pointSize;
    WORD weight;
    BYTE charset;
    const wchar_t* face;
};

struct ParsedControl {
    DWORD exStyle = 0, style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    WORD classAtom = 0;
    std::wstring className;
    WORD textOrdinal = 0;
    bool textIsOrdinal = false;
};

struct ParsedTemplate {
    TemplateHeader header{};
    std::wstring face;
    bool hasMenu = false, hasClass = false;
    std::wstring title;
    std::vector<ParsedControl> controls;
};

class Reader {
public:
    explicit Reader(const BYTE* p) : p_(p), start_(p) {}
    WORD Word() { WORD v; std::memcpy(&v, p_, 2); p_ += 2; return v; }
    DWORD Dword() { DWORD v; std::memcpy(&v, p_, 4); p_ += 4; return v; }
    short Short() { return static_cast<short>(Word()); }
    BYTE Byte() { return *p_++; }
    std::wstring String()
    {
        std::wstring s;
        for (WORD c = Word(); c != 0; c = Word())
            s.push_back(static_cast<wchar_t>(c));
        return s;
    }
    // sz_Or_Ord: 0 = none, 0xFFFF + ordinal, or a string.
    void SzOrOrd(bool& present, bool& isOrdinal, WORD& ordinal, std::wstring& text)
    {
        WORD first = Word();
        present = first != 0;
        isOrdinal = first == 0xFFFF;
        if (isOrdinal) {
            ordinal = Word();
        } else if (present) {
            p_ -= 2;
            text = String();
        }
    }
    void AlignDword() { while ((p_ - start_) % 4) ++p_; }
    void Skip(std::size_t n) { p_ += n; }

private:
    const BYTE* p_;
    const BYTE* start_;
};

class CorvaneResources : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        module_ = LoadLibraryExA(CORVANE_EXE_NAME, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite()
    {
        if (module_)
            FreeLibrary(module_);
    }
    void SetUp() override { ASSERT_NE(module_, nullptr) << "cannot open " << CORVANE_EXE_NAME; }

    static const BYTE* Load(const char* name, const char* type, DWORD* size = nullptr)
    {
        HRSRC found = FindResourceA(module_, name, type);
        if (!found)
            return nullptr;
        if (size)
            *size = SizeofResource(module_, found);
        return static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
    }

    static ParsedTemplate ParseTemplate(const char* name)
    {
        ParsedTemplate parsed;
        const BYTE* data = Load(name, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
        EXPECT_NE(data, nullptr) << name;
        if (!data)
            return parsed;
        Reader r(data);
        EXPECT_EQ(r.Word(), 1) << "dlgVer";
        EXPECT_EQ(r.Word(), 0xFFFF) << "extended template signature";
        r.Dword();  // help id
        parsed.header.exStyle = r.Dword();
        parsed.header.style = r.Dword();
        const WORD count = r.Word();
        parsed.header.x = r.Short();
        parsed.header.y = r.Short();
        parsed.header.cx = r.Short();
        parsed.header.cy = r.Short();
        bool isOrdinal = false;
        WORD ordinal = 0;
        std::wstring text;
        r.SzOrOrd(parsed.hasMenu, isOrdinal, ordinal, text);
        r.SzOrOrd(parsed.hasClass, isOrdinal, ordinal, text);
        parsed.title = r.String();
        if (parsed.header.style & DS_SETFONT) {
            parsed.header.pointSize = r.Word();
            parsed.header.weight = r.Word();
            r.Byte();  // italic
            parsed.header.charset = r.Byte();
            parsed.face = r.String();
        }
        for (WORD i = 0; i < count; ++i) {
            r.AlignDword();
            ParsedControl c;
            r.Dword();  // help id
            c.exStyle = r.Dword();
            c.style = r.Dword();
            c.x = r.Short();
            c.y = r.Short();
            c.cx = r.Short();
            c.cy = r.Short();
            c.id = r.Dword();
            bool present = false, classIsOrdinal = false;
            std::wstring title;
            r.SzOrOrd(present, classIsOrdinal, c.classAtom, c.className);
            r.SzOrOrd(present, c.textIsOrdinal, c.textOrdinal, title);
            r.Skip(r.Word());  // creation data
            parsed.controls.push_back(c);
        }
        return parsed;
    }

    static void ExpectTemplate(const char* name, const TemplateHeader& header, const std::vector<ControlRow>& rows)
    {
        SCOPED_TRACE(name);
        ParsedTemplate t = ParseTemplate(name);
        EXPECT_EQ(t.header.style, header.style);
        EXPECT_EQ(t.header.exStyle, header.exStyle);
        EXPECT_EQ(t.header.x, header.x);
        EXPECT_EQ(t.header.y, header.y);
        EXPECT_EQ(t.header.cx, header.cx);
        EXPECT_EQ(t.header.cy, header.cy);
        EXPECT_EQ(t.header.pointSize, header.pointSize);
        EXPECT_EQ(t.header.weight, header.weight);
        EXPECT_EQ(t.header.charset, header.charset);
        EXPECT_EQ(t.face, header.face);
        EXPECT_FALSE(t.hasMenu);
        EXPECT_FALSE(t.hasClass);
        EXPECT_TRUE(t.title.empty());
        ASSERT_EQ(t.controls.size(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            SCOPED_TRACE("control in template order " + std::to_string(i + 1));
            const ParsedControl& c = t.controls[i];
            const ControlRow& row = rows[i];
            EXPECT_EQ(static_cast<short>(c.id), row.id);
            // The class may be stored as the predefined atom or by name.
            EXPECT_TRUE(c.classAtom == static_cast<WORD>(row.kind) || _wcsicmp(c.className.c_str(), KindName(row.kind)) == 0);
            EXPECT_EQ(c.style, row.style);
            EXPECT_EQ(c.exStyle, row.exStyle);
            EXPECT_EQ(c.x, row.x);
            EXPECT_EQ(c.y, row.y);
            EXPECT_EQ(c.cx, row.cx);
            EXPECT_EQ(c.cy, row.cy);
            EXPECT_EQ(c.textIsOrdinal, row.bitmap != 0);
            if (row.bitmap != 0) {
                EXPECT_EQ(c.textOrdinal, row.bitmap);
            }
        }
    }

    static HMODULE module_;
};

HMODULE CorvaneResources::module_ = nullptr;

TEST_F(CorvaneResources, IntroductionTemplateIsAsDesigned)
{
    ExpectTemplate("INTRODUCTION", {0x80000040, 0x00040000, 0, 0, 350, 207, 10, 0, 1, L"Arial"},
                   {
                       {1004, 0x5000000E, 0x20, 33, 188, 53, 16, 103},
                       {1001, 0x5000000E, 0x20, 238, 188, 47, 16, 101},
                       {1003, 0x5000000E, 0x20, 285, 188, 47, 16, 106},
                       {1005, 0x5000000E, 0x20, 33, 188, 53, 16, 104},
                       {1007, 0x5000000E, 0, 0, 0, 350, 207, 107},
                       {1013, 0x5000080E, 0x20, 238, 188, 47, 16, 102},
                       {1002, 0x5000000E, 0x20, 285, 188, 47, 16, 105},
                       {1055, 0x5000000E, 0, 322, 3, 11, 9, 146},
                       {1056, 0x5000000E, 0, 333, 3, 12, 10, 145},
                   });
}

TEST_F(CorvaneResources, AboutTemplateIsAsDesigned)
{
    ExpectTemplate("ABOUT", {0x80000040, 0, 90, 50, 231, 127, 8, 0, 1, L"Arial"},
                   {
                       {1023, 0x5000000E, 0x20, 151, 105, 55, 18, 117},
                       {1022, 0x5000000E, 0x20, 151, 105, 55, 18, 116},
                       {-1, 0x5000080E, 0, 0, 0, 231, 127, 115},
                   });
}

TEST_F(CorvaneResources, ConfigurationTemplateIsAsDesigned)
{
    ExpectTemplate("CONFIGURATION", {0x80000040, 0x00040000, 0, 0, 350, 221, 9, 0, 1, L"Arial"},
                   {
                       {1020, 0x50A10101, 0x20, 135, 57, 190, 58, 0, Kind::ListBox},
                       {1010, 0x50810080, 0x20, 134, 135, 190, 13, 0, Kind::Edit},
                       {1011, 0x50014003, 0x20020, 125, 157, 8, 8, 0, Kind::Button},
                       {1012, 0x50014003, 0x20020, 125, 176, 8, 8, 0, Kind::Button},
                       {1014, 0x5000000E, 0x20, 238, 200, 47, 17, 110},
                       {1016, 0x5000000E, 0x20, 285, 200, 47, 17, 106},
                       {1021, 0x5000080E, 0, 0, 0, 350, 221, 108},
                       {1017, 0x5000000E, 0x20, 285, 200, 47, 17, 105},
                       {1015, 0x5000000E, 0x20, 238, 200, 47, 17, 111},
                       {1053, 0x5000080E, 0x20, 135, 157, 63, 7, 112},
                       {1054, 0x5002000E, 0x20, 136, 174, 51, 9, 113},
                       {1052, 0x5000000E, 0x20, 125, 162, 197, 13, 130},
                       {1056, 0x5000000E, 0, 333, 3, 12, 10, 145},
                       {1055, 0x5000000E, 0, 322, 3, 11, 10, 146},
                       {1061, 0x50200103, 0x20020, 218, 162, 91, 60, 0, Kind::ComboBox},
                   });
}

TEST_F(CorvaneResources, RegistrationTemplateIsAsDesigned)
{
    ExpectTemplate("REGISTRATION", {0x80080040, 0x00040000, 0, 0, 350, 222, 9, 400, 0, L"Arial"},
                   {
                       {1067, 0x5000080E, 0, 0, 0, 350, 221, 155},
                       {1055, 0x5000000E, 0, 322, 3, 11, 10, 146},
                       {1056, 0x5000000E, 0, 333, 3, 12, 10, 145},
                       {1069, 0x5000080E, 0, 191, 199, 94, 17, 157},
                       {1070, 0x5000000E, 0, 191, 199, 94, 18, 159},
                       {1071, 0x5000080E, 0, 285, 199, 47, 17, 156},
                       {1072, 0x5000080E, 0, 285, 199, 48, 17, 158},
                   });
}

TEST_F(CorvaneResources, ConclusionTemplateIsAsDesigned)
{
    ExpectTemplate("CONCLUSION", {0x80000040, 0x00040000, 0, 0, 407, 236, 8, 0, 1, L"Arial"},
                   {
                       {1039, 0x5000000E, 0, 0, 0, 407, 237, 109},
                       {1040, 0x5000000E, 0x20, 332, 215, 55, 18, 122},
                       {1041, 0x5000000E, 0x20, 332, 215, 55, 18, 123},
                       {1042, 0x5000000E, 0x20, 223, 215, 109, 18, 124},
                       {1043, 0x5000000E, 0, 223, 215, 109, 18, 125},
                       {1044, 0x50000880, 0, 204, 86, 166, 12, 0, Kind::Edit},
                       {1045, 0x50000880, 0, 204, 60, 100, 12, 0, Kind::Edit},
                       {1046, 0x50000880, 0, 204, 100, 100, 12, 0, Kind::Edit},
                       {1047, 0x50000880, 0, 204, 73, 100, 12, 0, Kind::Edit},
                       {1013, 0x50000880, 0, 204, 113, 100, 12, 0, Kind::Edit},
                       {1055, 0x5000000E, 0, 376, 3, 13, 10, 146},
                       {1056, 0x5000000E, 0, 389, 3, 14, 11, 145},
                   });
}

TEST_F(CorvaneResources, EveryBitmapHasItsSizeAndDepth)
{
    struct Row {
        const char* name;   // resource name or #ordinal
        LONG width, height;
        WORD bitsPerPixel;
    };
    const Row rows[] = {
        {"#101", 82, 31, 24}, {"#102", 82, 31, 24}, {"#103", 82, 31, 24}, {"#104", 82, 31, 24},
        {"#105", 82, 31, 24}, {"#106", 82, 31, 24}, {"#107", 613, 414, 24}, {"#108", 613, 414, 24},
        {"#109", 613, 414, 24}, {"#110", 82, 31, 24}, {"#111", 82, 31, 24}, {"#112", 110, 13, 24},
        {"#113", 90, 17, 24}, {"#115", 346, 223, 24}, {"#116", 82, 31, 24}, {"#117", 82, 31, 24},
        {"#122", 82, 31, 24}, {"#123", 82, 31, 24}, {"#124", 163, 32, 24}, {"#125", 163, 32, 24},
        {"#130", 345, 24, 24}, {"#145", 21, 19, 24}, {"#146", 20, 18, 24}, {"#155", 611, 415, 24},
        {"#156", 83, 32, 24}, {"#157", 165, 31, 24}, {"#158", 84, 31, 24}, {"#159", 165, 33, 24},
        {"KYVLOGO", 288, 82, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(Load(row.name, MAKEINTRESOURCEA(2)));
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->biWidth, row.width);
        EXPECT_EQ(info->biHeight, row.height);  // positive: bottom-up, as LoadBitmap expects
        EXPECT_EQ(info->biBitCount, row.bitsPerPixel);
        EXPECT_EQ(info->biCompression, static_cast<DWORD>(BI_RGB));
    }
}

TEST_F(CorvaneResources, IconGroupHoldsOne32By40TrueColourImage)
{
    DWORD size = 0;
    const BYTE* group = Load(MAKEINTRESOURCEA(IDI_CORVANE), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, &size);
    ASSERT_NE(group, nullptr);
    Reader r(group);
    r.Word();
    EXPECT_EQ(r.Word(), 1) << "type icon";
    ASSERT_EQ(r.Word(), 1) << "image count";
    const BYTE width = r.Byte();
    const BYTE height = r.Byte();
    r.Byte();
    r.Byte();
    r.Word();                       // planes
    EXPECT_EQ(r.Word(), 24);        // bit count
    r.Dword();
    const WORD imageId = r.Word();
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 40);
    const auto* image = reinterpret_cast<const BITMAPINFOHEADER*>(
        Load(MAKEINTRESOURCEA(imageId), MAKEINTRESOURCEA(3) /* RT_ICON */));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->biWidth, 32);
    EXPECT_EQ(image->biHeight, 80);  // colour and mask
    EXPECT_EQ(image->biBitCount, 24);
}

TEST_F(CorvaneResources, ManifestIsAnEmptyAssembly)
{
    DWORD size = 0;
    const BYTE* data = Load(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24), &size);
    ASSERT_NE(data, nullptr);
    const std::string manifest(reinterpret_cast<const char*>(data), size);
    EXPECT_NE(manifest.find("<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\"></assembly>"),
              std::string::npos)
        << manifest;
    EXPECT_EQ(manifest.find("dependency"), std::string::npos);
    EXPECT_EQ(manifest.find("requestedExecutionLevel"), std::string::npos);
}

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST_F(CorvaneResources, ThereIsNoAcceleratorTable)
{
    int count = 0;
    EnumResourceNamesA(module_, MAKEINTRESOURCEA(9) /* RT_ACCELERATOR */, CountName, reinterpret_cast<LONG_PTR>(&count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(FindResourceA(module_, "IDR_ACCELERATOR1", MAKEINTRESOURCEA(9)), nullptr);
}

TEST_F(CorvaneResources, VersionRecord)
{
    DWORD size = 0;
    const BYTE* data = Load(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16) /* RT_VERSION */, &size);
    ASSERT_NE(data, nullptr);
    // VerQueryValue needs a writable copy.
    std::vector<BYTE> copy(data, data + size);
    copy.resize(size * 2);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(copy.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    struct Entry {
        const char* key;
        const char* value;
    };
    const Entry entries[] = {
        {"CompanyName", "Kyv"},           {"FileDescription", "Corvane"}, {"FileVersion", "1, 0, 0, 1"},
        {"InternalName", "Corvane"},      {"OriginalFilename", "Corvane.exe"},
        {"ProductName", "Kyv Corvane"},   {"ProductVersion", "1, 0, 0, 1"},
    };
    for (const Entry& e : entries) {
        const std::string path = std::string("\\StringFileInfo\\040904b0\\") + e.key;
        char* value = nullptr;
        ASSERT_TRUE(VerQueryValueA(copy.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) << e.key;
        EXPECT_STREQ(value, e.value) << e.key;
    }
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(copy.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04B0);
}

}  // namespace
