// The records handed to the library, compared byte for byte with images built
// from the field offsets, independently of the record declarations.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/bounded_string.h"
#include "fake_library.h"
#include "install/install_state.h"
#include "install/maker.h"
#include "install/printer_info.h"
#include "recording.h"

namespace {

using Traces = std::vector<std::string>;

// The expected bytes of a record; pointer fields are checked by what they point to.
class Golden {
public:
    explicit Golden(std::size_t size) : bytes_(size, 0) {}
    void String(std::size_t offset, const std::string& text)
    {
        std::memcpy(bytes_.data() + offset, text.c_str(), text.size() + 1);
    }
    void Dword(std::size_t offset, uint32_t value) { std::memcpy(bytes_.data() + offset, &value, 4); }
    void Pointer(std::size_t offset, const char* target) { pointers_.push_back({offset, target}); }

    void ExpectMatches(const void* record) const
    {
        const auto* actual = static_cast<const uint8_t*>(record);
        std::vector<bool> isPointer(bytes_.size(), false);
        for (const auto& p : pointers_)
            for (std::size_t i = 0; i < 4; ++i)
                isPointer[p.offset + i] = true;
        for (std::size_t i = 0; i < bytes_.size(); ++i) {
            if (!isPointer[i] && actual[i] != bytes_[i]) {
                ADD_FAILURE() << "first difference at byte " << i << ": " << int(actual[i]) << ", expected "
                              << int(bytes_[i]);
                return;
            }
        }
        for (const auto& p : pointers_) {
            const char* value = nullptr;
            std::memcpy(&value, actual + p.offset, 4);
            if (p.target == nullptr) {
                EXPECT_EQ(value, nullptr) << "pointer at " << p.offset;
            } else {
                EXPECT_NE(value, nullptr) << "pointer at " << p.offset;
                if (value) {
                    EXPECT_STREQ(value, p.target) << "pointer at " << p.offset;
                }
            }
        }
    }

private:
    struct PointerField {
        std::size_t offset;
        const char* target;
    };
    std::vector<uint8_t> bytes_;
    std::vector<PointerField> pointers_;
};

// What the program's own path gives as the first part of the source directory.
std::string OwnFirstComponent()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    const std::size_t start = p.find_first_not_of('\\');
    const std::size_t end = p.find('\\', start);
    return p.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

class PrinterInfo : public ::testing::Test {
protected:
    void SetUp() override { text::Copy(g_installState.szPort, "LPT1:"); }
    void TearDown() override { text::Copy(g_installState.szPort, ""); }
};

TEST_F(PrinterInfo, NtRecordForRowOneOnWindows7)
{
    fake::SetVersionAnswer({0, OS_WIN7});
    Recording recording;
    _PRINTERINFO_NTA record;
    std::memset(&record, 0, sizeof record);
    const OSVERSION code = OS_WIN7;
    GetPrinterInfo(1, &record, &code);

    Golden golden(2616);
    golden.String(0, "Kyv QL 620");
    golden.String(260, "Kyv QL 620");
    golden.String(520, "Kyv");
    golden.String(780, "LPT1:");
    golden.String(1040, "WinPrint");
    golden.String(1300, OwnFirstComponent() + "\\Windows\\Kyv QL 620\\Win7\\");
    golden.String(1560, "UNIDRV.DLL");
    golden.String(1820, "UNIDRV.HLP");
    golden.Pointer(2080, "QL22.dll");
    golden.Pointer(2084, "Kyv");
    golden.Pointer(2088, kMakerHost);
    golden.String(2092, "UNIDRVUI.DLL");
    golden.String(2352, "QL620.GPD");
    golden.Dword(2612, 0x40);
    golden.ExpectMatches(&record);
    EXPECT_TRUE(recording.boxes().empty());
}

TEST_F(PrinterInfo, NtRecordForRowZeroOnNt40AsksOnce)
{
    fake::SetVersionAnswer({0, OS_WINNT40});
    Recording recording;
    _PRINTERINFO_NTA record;
    std::memset(&record, 0, sizeof record);
    const OSVERSION code = OS_WINNT40;
    GetPrinterInfo(0, &record, &code);

    Golden golden(2616);
    golden.String(0, "Kyv QL 610");
    golden.String(260, "Kyv QL 610");
    golden.String(520, "Kyv");
    golden.String(780, "LPT1:");
    golden.String(1040, "WinPrint");
    golden.String(1300, OwnFirstComponent() + "\\Windows\\Kyv QL 610\\WinNT40\\");
    golden.String(1560, "RASDD.DLL");
    golden.String(1820, "RASDDUI.HLP");
    golden.Pointer(2080, nullptr);   // no NT 4.0 rule matches a catalogue model
    golden.Pointer(2084, "Kyv");
    golden.Pointer(2088, kMakerHost);
    golden.String(2092, "RASDDUI.DLL");
    golden.String(2352, "QL610.GPD");
    golden.Dword(2612, 0x40);
    golden.ExpectMatches(&record);

    ASSERT_EQ(recording.boxes().size(), 1u);
    const ShownBox& box = recording.boxes()[0];
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.text, "Kyv QL 610");
    EXPECT_EQ(box.caption, "Printer Name");
    EXPECT_EQ(box.flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

TEST_F(PrinterInfo, NtDependencyFileFollowsTheModelName)
{
    const char* expected[] = {"QL21.dll", "QL22.dll", "QL22.dll"};
    for (int model = 0; model < 3; ++model) {
        for (OSVERSION code : {OS_WIN2000, OS_WINXP, OS_WIN8X64}) {
            fake::SetVersionAnswer({0, code});
            Recording recording;
            _PRINTERINFO_NTA record;
            std::memset(&record, 0, sizeof record);
            GetPrinterInfo(model, &record, &code);
            ASSERT_NE(record.pszDependencyFile, nullptr);
            EXPECT_STREQ(record.pszDependencyFile, expected[model]) << model << " " << code;
            EXPECT_STREQ(record.szDriverFile, "UNIDRV.DLL");
        }
    }
}

TEST_F(PrinterInfo, NinetyFiveRecordForEveryRow)
{
    const char* models[] = {"Kyv QL 610", "Kyv QL 620", "Kyv QL 630"};
    for (int model = 0; model < 3; ++model) {
        SCOPED_TRACE(models[model]);
        fake::SetVersionAnswer({0, OS_WIN98});
        Recording recording;
        _PRINTERINFO_95 record;
        std::memset(&record, 0, sizeof record);
        GetPrinterInfo(model, &record);

        Golden golden(1632);
        // Printer and driver names are left to the caller.
        golden.String(62, "kyv");
        golden.String(322, "LPT1:");
        golden.String(582, "WinPrint");
        golden.String(842, OwnFirstComponent() + "\\Windows\\" + models[model] + "\\Win98\\");
        golden.String(1102, "");   // the catalogue has no 95 driver file
        golden.String(1362, "UNIDRV.HLP");
        golden.Pointer(1624, "ICONLIB.dll");
        golden.Dword(1628, 0x40);
        golden.ExpectMatches(&record);

        EXPECT_EQ(recording.traces(),
                  (Traces{"Enter: GetPrinterInfo for 95", "Enter : GetOSName", "Windows 98", "Exit : GetOSName",
                          "Copied Source Path", "Copied Driver File", "Copied Help File", "Copied Port Name",
                          "Copied Print Processor", "Copied Share Name", "Copied Dependency File",
                          "Exit: GetPrinterInfo for 95"}));
    }
}

TEST_F(PrinterInfo, UnsupportedOnTheSecondQueryLeavesNoUndefinedCharacters)
{
    fake::SetVersionAnswer({CORVANE_OS_NOT_SUPPORTED, OS_UNKNOWN});
    Recording recording;
    _PRINTERINFO_95 record;
    std::memset(&record, 0, sizeof record);
    GetPrinterInfo(2, &record);
    EXPECT_EQ(std::string(record.szSourcePath), OwnFirstComponent() + "\\Windows\\Kyv QL 630\\\\");
}

TEST_F(PrinterInfo, ModelOutsideTheCatalogueLeavesTheRecordAlone)
{
    fake::SetVersionAnswer({0, OS_WINXP});
    Recording recording;
    for (int model : {-1, 3, 1000}) {
        _PRINTERINFO_NTA record;
        std::memset(&record, 0, sizeof record);
        const OSVERSION code = OS_WINXP;
        GetPrinterInfo(model, &record, &code);
        Golden(2616).ExpectMatches(&record);
    }
}

TEST(SourceDirectory, FromTheProgramsPath)
{
    const std::string longFolder(240, 'x');
    struct Case {
        std::string modulePath;
        std::string expected;
    };
    const Case cases[] = {
        {"D:\\Corvane.exe", "D:\\Windows\\Kyv QL 610\\WinXP\\"},
        {"D:\\Setup\\Disk1\\Corvane.exe", "D:\\Windows\\Kyv QL 610\\WinXP\\"},
        {"\\\\kyvserver\\drivers\\Corvane.exe", "kyvserver\\Windows\\Kyv QL 610\\WinXP\\"},
        {"Corvane.exe", "Corvane.exe\\Windows\\Kyv QL 610\\WinXP\\"},
        // A first component this long makes the directory 281 characters: cut at 259.
        {longFolder + "\\Corvane.exe", (longFolder + "\\Windows\\Kyv QL 610\\WinXP\\").substr(0, 259)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.modulePath);
        char directory[CORVANE_PATH_CHARS];
        std::memset(directory, '#', sizeof directory);
        ComposeSourceDirectory(c.modulePath.c_str(), "Kyv QL 610", "WinXP", directory);
        EXPECT_EQ(std::string(directory), c.expected);
    }
}

}  // namespace
