// CONFIGURATION, the installation attempt, REGISTRATION and CONCLUSION, with the
// scripted stand-in for the companion library (and once with the real one).
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <windows.h>
#include <winspool.h>

#include "install_flow.h"
#include "res/resource.h"
#include "scenario.h"

using namespace e2e;

namespace {

constexpr DWORD kCodeXp = 7;
constexpr DWORD kCodeNt40 = 4;
constexpr DWORD kCodeWin98 = 2;
constexpr DWORD kNotSupported = 0x20000002;
constexpr DWORD kAlreadyInstalled = 0x20000003;

const std::string kInstalledText = "Printer driver installed successfully.";
const std::string kPrivilegesText =
    "\rPrinter driver installation is failed.\r\rPossible causes are :\r\t1. Insufficient privilages to install new "
    "local printer driver.\r\t2. Insufficient privilages to copy files to system folder.\r\rPlease contact your "
    "system administrator.";
const std::string kSpoolerText = "The RPC server is unavailable.\rTurn on the spooler service may solve the problem.";
const std::string kAlreadyText =
    "A driver is already installed for this printer.\rBy changing the printer name you can install a new driver. ";
const std::string kUnsupportedText = "Driver Doesnot supports this Operating System";
const std::string kEmptyNameText =
    "You need to specify a printer name.\rPrinter name should not be more than 30 characters long.";
const std::string kRefusedText =
    "A printer name cannot contain characters '=', ';', '!', '\\',  or  ','. Specify a new printer name.";

std::vector<LibraryCall> CallsNamed(const std::vector<LibraryCall>& calls, const std::string& name)
{
    std::vector<LibraryCall> found;
    for (const LibraryCall& call : calls)
        if (call.name == name)
            found.push_back(call);
    return found;
}

std::string StringAt(const std::vector<unsigned char>& bytes, size_t offset)
{
    if (offset >= bytes.size())
        return "<out of record>";
    return std::string(reinterpret_cast<const char*>(bytes.data() + offset));
}

DWORD DwordAt(const std::vector<unsigned char>& bytes, size_t offset)
{
    DWORD value = 0;
    if (offset + 4 <= bytes.size())
        std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

// Byte image of a record: strings at their offsets, zero elsewhere; pointer fields skipped.
struct ByteImage {
    std::vector<unsigned char> bytes;
    std::vector<size_t> pointerOffsets;
    explicit ByteImage(size_t size) : bytes(size, 0) {}
    void String(size_t offset, const std::string& text) { std::memcpy(bytes.data() + offset, text.c_str(), text.size() + 1); }
    void Dword(size_t offset, DWORD value) { std::memcpy(bytes.data() + offset, &value, 4); }
    // Index of the first byte that differs, or -1.
    long FirstDifference(const std::vector<unsigned char>& actual) const
    {
        if (actual.size() != bytes.size())
            return 0;
        for (size_t i = 0; i < bytes.size(); ++i) {
            bool inPointer = false;
            for (size_t p : pointerOffsets)
                inPointer = inPointer || (i >= p && i < p + 4);
            if (!inPointer && actual[i] != bytes[i])
                return static_cast<long>(i);
        }
        return -1;
    }
};

// Wizard on the stand-in medium, at CONFIGURATION, with the script in place.
struct DoubleRun {
    Run& run;
    Wizard wizard;
    std::string folder;
    HWND page = nullptr;
    DoubleRun(Run& r, const DoubleScript& script) : run(r), wizard(kDoubleMediumExe, r.checks)
    {
        folder = PrepareDouble(run, script);
        page = StartAtConfiguration(run, wizard);
    }
};

void QuitFromPage(Run& run, Wizard& wizard, HWND page)
{
    if (ClickGlyph(run, page, IDC_GLYPH_CLOSE))
        ConfirmQuitQuestion(run, wizard);
}

struct PortsFixture {
    // Names whose registry order differs from a sorted list's: the hyphen and the
    // underscore weigh differently in the two orders.
    std::vector<std::string> names{"A-PORT", "AB:", "B_PORT", "B1:"};
    static constexpr char kKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
    PortsFixture()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            for (const std::string& name : names)
                RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
            RegCloseKey(key);
        }
    }
    ~PortsFixture()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            for (const std::string& name : names)
                RegDeleteValueA(key, name.c_str());
            RegCloseKey(key);
        }
    }
};

std::vector<std::string> SpoolerPorts()
{
    DWORD needed = 0, count = 0;
    EnumPortsA(nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    std::vector<std::string> names;
    if (needed && EnumPortsA(nullptr, 2, buffer.data(), needed, &needed, &count)) {
        const auto* ports = reinterpret_cast<const PORT_INFO_2A*>(buffer.data());
        for (DWORD i = 0; i < count; ++i)
            names.emplace_back(ports[i].pPortName);
    }
    return names;
}

}  // namespace

SCENARIO(configuration_opens_centred_with_models_and_sorted_ports)
{
    PortsFixture ports;
    DoubleRun d(run, {});
    if (!d.page)
        return;
    HWND page = d.page;
    const RECT rect = WindowRect(page);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    run.checks.Expect(rect.left == (GetSystemMetrics(SM_CXSCREEN) - width) / 2 &&
                          rect.top == (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                      "CONFIGURATION is not centred: (%ld,%ld)", rect.left, rect.top);
    const std::vector<std::string> models = ListItems(GetDlgItem(page, IDC_CONFIG_MODEL_LIST));
    run.checks.Expect(models == std::vector<std::string>{"Kyv QL 610", "Kyv QL 620", "Kyv QL 630"},
                      "the model list holds %zu other items", models.size());
    run.checks.Expect(SendMessageW(GetDlgItem(page, IDC_CONFIG_MODEL_LIST), LB_GETCURSEL, 0, 0) == 0,
                      "the first model is not selected");
    run.checks.Expect(ControlText(GetDlgItem(page, IDC_CONFIG_NAME_EDIT)) == "Kyv QL 610", "name edit holds '%s'",
                      ControlText(GetDlgItem(page, IDC_CONFIG_NAME_EDIT)).c_str());
    run.checks.Expect(!IsChecked(GetDlgItem(page, IDC_CONFIG_DEFAULT_CHECK)) &&
                          !IsChecked(GetDlgItem(page, IDC_CONFIG_TESTPAGE_CHECK)),
                      "a check box starts checked");
    run.checks.Expect(!Shown(page, IDC_CONFIG_BANNER), "the busy banner shows on an idle page");

    std::vector<std::string> expected = SpoolerPorts();
    const std::vector<std::string> enumerated = expected;
    std::sort(expected.begin(), expected.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    run.checks.Expect(expected != enumerated, "fixture: the spooler already lists its ports sorted");
    const std::vector<std::string> shown = ComboItems(GetDlgItem(page, IDC_CONFIG_PORT_LIST));
    run.checks.Expect(shown == expected, "the port list is not sorted (%zu items, first '%s')", shown.size(),
                      shown.empty() ? "" : shown.front().c_str());
    run.checks.Expect(!expected.empty() && ControlText(GetDlgItem(page, IDC_CONFIG_PORT_LIST)) == expected.front(),
                      "the alphabetically first port is not selected");
    // The selected port reaches the state: the confirmation names it.
    const std::string question = ClickInstallAndConfirm(run, d.wizard, page, false);
    run.checks.Expect(question == "You selected the port " + expected.front() +
                                      "\nEnsure that you have selected right port.\nPress Yes to Continue.",
                      "confirmation text '%s'", question.c_str());
    MoveMouse(5, 5);
    Settle(200);
    SaveScreenArea(WindowRect(page), run.outDir + "\\configuration.bmp");
    QuitFromPage(run, d.wizard, page);
}

SCENARIO(model_list_name_edit_tab_order_and_labels)
{
    DoubleRun d(run, {});
    if (!d.page)
        return;
    HWND page = d.page;
    HWND list = GetDlgItem(page, IDC_CONFIG_MODEL_LIST);
    HWND edit = GetDlgItem(page, IDC_CONFIG_NAME_EDIT);

    TypeName(run, page, "Typed Name");
    // Any click in the list puts the selected model's name back, even on the same row.
    ChooseModel(run, page, 0);
    run.checks.Expect(WaitUntil([&] { return ControlText(edit) == "Kyv QL 610"; }, 2000),
                      "a click in the list left '%s' in the name edit", ControlText(edit).c_str());
    ChooseModel(run, page, 2);
    run.checks.Expect(ControlText(edit) == "Kyv QL 630", "selecting row 2 gave '%s'", ControlText(edit).c_str());

    // Double-click: focus to the name with the whole name selected, so typing replaces it.
    const LRESULT itemHeight = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    const POINT row1{WindowRect(list).left + 20, WindowRect(list).top + 3 + static_cast<LONG>(itemHeight * 3 / 2)};
    MoveMouse(row1.x, row1.y);
    MouseDown(); MouseUp(); Sleep(60); MouseDown(); MouseUp();
    Settle(300);
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const LRESULT selection = SendMessageW(edit, EM_GETSEL, 0, 0);
    run.checks.Expect(ControlText(edit) == "Kyv QL 620", "double-click put '%s'", ControlText(edit).c_str());
    run.checks.Expect(LOWORD(selection) == 0 && HIWORD(selection) == 10, "selection %u..%u, expected 0..10",
                      LOWORD(selection), HIWORD(selection));
    TypeText("X");
    run.checks.Expect(ControlText(edit) == "X", "typing after the double-click gave '%s'", ControlText(edit).c_str());

    // At most 30 typed characters.
    TypeName(run, page, std::string(35, 'n'));
    run.checks.Expect(ControlText(edit).size() == 30, "the name edit took %zu characters", ControlText(edit).size());

    // Tab order: name edit, the two boxes, back to the model list.
    struct Step {
        int focused;
        const char* name;
    };
    const Step steps[] = {{IDC_CONFIG_DEFAULT_CHECK, "Make it as default"},
                          {IDC_CONFIG_TESTPAGE_CHECK, "Print test page"},
                          {IDC_CONFIG_MODEL_LIST, "model list"},
                          {IDC_CONFIG_NAME_EDIT, "name edit"}};
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    for (const Step& step : steps) {
        KeyPress(VK_TAB, 40);
        Settle(150);
        GetGUIThreadInfo(GetWindowThreadProcessId(page, nullptr), &gui);
        run.checks.Expect(gui.hwndFocus == GetDlgItem(page, step.focused), "Tab did not reach the %s", step.name);
    }
    // A label click toggles its box and moves the focus there.
    const bool before = IsChecked(GetDlgItem(page, IDC_CONFIG_TESTPAGE_CHECK));
    Click(Centre(WindowRect(GetDlgItem(page, IDC_CONFIG_TESTPAGE_LABEL))));
    run.checks.Expect(WaitUntil([&] { return IsChecked(GetDlgItem(page, IDC_CONFIG_TESTPAGE_CHECK)) != before; }, 2000),
                      "a click on 'Print test page' did not toggle its box");
    GetGUIThreadInfo(GetWindowThreadProcessId(page, nullptr), &gui);
    run.checks.Expect(gui.hwndFocus == GetDlgItem(page, IDC_CONFIG_TESTPAGE_CHECK),
                      "the label click did not move the focus to its box");
    // Dotted rectangle around the focused box's label: black dots on its edge.
    const RECT label = WindowRect(GetDlgItem(page, IDC_CONFIG_TESTPAGE_LABEL));
    SaveScreenArea(label, run.outDir + "\\label_focused.bmp");
    HDC screen = GetDC(nullptr);
    int blackOnEdge = 0;
    for (LONG x = label.left; x < label.right; ++x)
        blackOnEdge += GetPixel(screen, x, label.top) == RGB(0, 0, 0);
    ReleaseDC(nullptr, screen);
    run.checks.Expect(blackOnEdge > (label.right - label.left) / 4, "no focus dots along the label (%d black pixels)",
                      blackOnEdge);
    // Tab away: the dots are erased.
    KeyPress(VK_TAB, 40);
    Settle(200);
    screen = GetDC(nullptr);
    int blackAfter = 0;
    for (LONG x = label.left; x < label.right; ++x)
        blackAfter += GetPixel(screen, x, label.top) == RGB(0, 0, 0);
    ReleaseDC(nullptr, screen);
    run.checks.Expect(blackAfter == 0, "the focus dots stayed after Tab (%d black pixels)", blackAfter);
    QuitFromPage(run, d.wizard, page);
}

SCENARIO(printer_names_refused_and_accepted)
{
    struct Name {
        std::string typed;
        const std::string* refusal;   // nullptr: accepted
    };
    const Name names[] = {
        {"", &kEmptyNameText},       {"     ", &kEmptyNameText},   {"Front!Desk", &kRefusedText},
        {"Front=Desk", &kRefusedText}, {"Front;Desk", &kRefusedText}, {"Front\\Desk", &kRefusedText},
        {"Front,Desk", &kRefusedText}, {"Front Desk", nullptr},      {"Desk:2", nullptr},
        {"Desk/2", nullptr},         {"  Front Desk  ", nullptr},
    };
    DoubleRun d(run, {0, kCodeXp, {kAlreadyInstalled}, {0}});
    if (!d.page)
        return;
    int libraryCalls = 0;
    for (const Name& name : names) {
        run.checks.Note("name '%s'", name.typed.c_str());
        TypeName(run, d.page, name.typed);
        ClickInstallAndConfirm(run, d.wizard, d.page, true);
        if (name.refusal) {
            ExpectBoxAndAnswer(run, d.wizard, {"Setwright", *name.refusal, IDI_ERROR}, d.page);
            Settle(200);
            GUITHREADINFO gui{};
            gui.cbSize = sizeof gui;
            GetGUIThreadInfo(GetWindowThreadProcessId(d.page, nullptr), &gui);
            run.checks.Expect(gui.hwndFocus == GetDlgItem(d.page, IDC_CONFIG_NAME_EDIT),
                              "the focus is not on the name edit after the refusal");
            run.checks.Expect(CallsNamed(LibraryCalls(d.folder), "installNT").size() == static_cast<size_t>(libraryCalls),
                              "a refused name reached the library");
        } else {
            // The stand-in answers "already installed", which keeps the page for the next name.
            ExpectBoxAndAnswer(run, d.wizard, {"Kyv Printer Corvane", kAlreadyText, IDI_INFORMATION}, d.page);
            ++libraryCalls;
            const auto installs = CallsNamed(LibraryCalls(d.folder), "installNT");
            if (run.checks.Expect(installs.size() == static_cast<size_t>(libraryCalls), "the library was not called"))
                run.checks.Expect(StringAt(RecordBytes(d.folder, installs.back()), 0) == name.typed,
                                  "the record's printer name is '%s'",
                                  StringAt(RecordBytes(d.folder, installs.back()), 0).c_str());
        }
    }
    QuitFromPage(run, d.wizard, d.page);
}

SCENARIO(every_library_outcome_is_reported)
{
    struct Case {
        const char* name;
        DoubleScript script;
        const char* caption;
        std::string text;      // empty: the mended failure report, checked by its start
        LPCSTR icon;
        bool installed;
        bool libraryCalled;
    };
    const Case cases[] = {
        {"access denied", {0, kCodeXp, {5}, {0}}, "Setwright", kPrivilegesText, IDI_ERROR, false, true},
        {"spooler 1722", {0, kCodeXp, {1722}, {0}}, "Setwright", kSpoolerText, IDI_ERROR, false, true},
        {"spooler 123", {0, kCodeXp, {123}, {0}}, "Setwright", kSpoolerText, IDI_ERROR, false, true},
        {"32", {0, kCodeXp, {32}, {0}}, "Kyv Printer Corvane", kAlreadyText, IDI_INFORMATION, false, true},
        {"already installed", {0, kCodeXp, {kAlreadyInstalled}, {0}}, "Kyv Printer Corvane", kAlreadyText,
         IDI_INFORMATION, false, true},
        {"unlisted code", {0, kCodeXp, {31}, {0}}, "Setwright", "", IDI_ERROR, false, true},
        {"unsupported system", {kNotSupported, 0, {0}, {0}}, "Setwright", kUnsupportedText, IDI_ERROR, false, false},
        {"success", {0, kCodeXp, {0}, {0}}, "Setwright", kInstalledText, IDI_INFORMATION, true, true},
    };
    for (const Case& c : cases) {
        run.checks.Note("%s", c.name);
        DoubleRun d(run, c.script);
        if (!d.page)
            return;
        ChooseModel(run, d.page, 1);
        TypeName(run, d.page, "Front Desk");
        SetCheck(run, d.page, IDC_CONFIG_DEFAULT_CHECK, true);
        ClickInstallAndConfirm(run, d.wizard, d.page, true);
        if (c.text.empty()) {
            HWND box = WaitForMessageBox(d.wizard.pid(), c.caption, 8000);
            if (run.checks.Expect(box != nullptr, "%s: no report", c.name)) {
                const MessageBoxView view = ReadMessageBox(box);
                run.checks.Expect(view.text.rfind("\rPrinter driver installation is failed.\r\rError code: 0x0000001F", 0) == 0,
                                  "%s: report '%s'", c.name, view.text.c_str());
                run.checks.Expect(view.icon == IDI_ERROR, "%s: not the error icon", c.name);
                AnswerMessageBox(box, IDOK);
            }
        } else {
            ExpectBoxAndAnswer(run, d.wizard, {c.caption, c.text, c.icon}, d.page);
        }
        const auto calls = LibraryCalls(d.folder);
        run.checks.Expect(!CallsNamed(calls, "installNT").empty() == c.libraryCalled, "%s: library %s", c.name,
                          c.libraryCalled ? "not called" : "called");
        if (c.libraryCalled && !CallsNamed(calls, "installNT").empty()) {
            // While the library works the page shows the banner instead of the boxes and ports.
            const std::string state = CallsNamed(calls, "installNT").front().pageState;
            run.checks.Expect(state.find("1052=shown") != std::string::npos && state.find("1053=hidden") != std::string::npos &&
                                  state.find("1054=hidden") != std::string::npos && state.find("1011=hidden") != std::string::npos &&
                                  state.find("1012=hidden") != std::string::npos && state.find("1061=hidden") != std::string::npos,
                              "%s: page during the call: %s", c.name, state.c_str());
        }
        if (c.installed) {
            LaterThenFinish(run, d.wizard);
            continue;
        }
        // Failure: the same page, in its input form, with the user's inputs.
        Settle(300);
        run.checks.Expect(FindPageKind(d.wizard.pid(), PageKind::Configuration) == d.page, "%s: the page is gone", c.name);
        run.checks.Expect(!Shown(d.page, IDC_CONFIG_BANNER) && Shown(d.page, IDC_CONFIG_DEFAULT_CHECK) &&
                              Shown(d.page, IDC_CONFIG_PORT_LIST) && Shown(d.page, IDC_CONFIG_TESTPAGE_LABEL),
                          "%s: the page is not back in its input form", c.name);
        run.checks.Expect(ControlText(GetDlgItem(d.page, IDC_CONFIG_NAME_EDIT)) == "Front Desk",
                          "%s: the name changed to '%s'", c.name, ControlText(GetDlgItem(d.page, IDC_CONFIG_NAME_EDIT)).c_str());
        run.checks.Expect(SendMessageW(GetDlgItem(d.page, IDC_CONFIG_MODEL_LIST), LB_GETCURSEL, 0, 0) == 1,
                          "%s: the model selection changed", c.name);
        run.checks.Expect(IsChecked(GetDlgItem(d.page, IDC_CONFIG_DEFAULT_CHECK)), "%s: the default box changed", c.name);
        if (std::string(c.name) == "access denied") {
            // Install works again after a failure.
            ClickInstallAndConfirm(run, d.wizard, d.page, true);
            ExpectBoxAndAnswer(run, d.wizard, {c.caption, c.text, c.icon}, d.page);
            run.checks.Expect(CallsNamed(LibraryCalls(d.folder), "installNT").size() == 2, "second Install did not run");
        }
        QuitFromPage(run, d.wizard, d.page);
    }
}

namespace {

bool FileBytesEqual(const std::string& a, const std::string& b)
{
    const std::string bytes = ReadFileShared(a);
    return !bytes.empty() && bytes == ReadFileShared(b);
}

// True when some file in the system's INF store has exactly the bytes of source.
bool InfStoreHolds(const std::string& source)
{
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string store = std::string(windows) + "\\inf\\";
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((store + "*.inf").c_str(), &found);
    bool holds = false;
    if (search != INVALID_HANDLE_VALUE) {
        do
            holds = holds || FileBytesEqual(store + found.cFileName, source);
        while (!holds && FindNextFileA(search, &found));
        FindClose(search);
    }
    return holds;
}

}  // namespace

SCENARIO(nt_record_setup_file_and_default_entry)
{
    struct Case {
        const char* name;
        bool makeDefault;
        DWORD answer;
        bool entryWritten;
    };
    const Case cases[] = {
        {"default, success", true, 0, true},
        {"default, failure", true, 5, false},
        {"no default, success", false, 0, false},
    };
    for (const Case& c : cases) {
        run.checks.Note("%s", c.name);
        ClearDefaultPrinterEntry();
        DoubleRun d(run, {0, kCodeXp, {c.answer}, {0}});
        if (!d.page)
            return;
        ChooseModel(run, d.page, 1);
        TypeName(run, d.page, "Front Desk");
        ChoosePort(run, d.page, "LPT1:");
        SetCheck(run, d.page, IDC_CONFIG_DEFAULT_CHECK, c.makeDefault);
        ClickInstallAndConfirm(run, d.wizard, d.page, true);
        ExpectBoxAndAnswer(run, d.wizard,
                           c.answer == 0 ? ExpectedBox{"Setwright", kInstalledText, IDI_INFORMATION}
                                         : ExpectedBox{"Setwright", kPrivilegesText, IDI_ERROR},
                           d.page);
        const auto installs = CallsNamed(LibraryCalls(d.folder), "installNT");
        if (run.checks.Expect(installs.size() == 1, "%s: %zu library calls", c.name, installs.size())) {
            ByteImage image(2616);
            image.String(0, "Front Desk");
            image.String(260, "Kyv QL 620");
            image.String(520, "Kyv");
            image.String(780, "LPT1:");
            image.String(1040, "WinPrint");
            image.String(1300, "E:\\Windows\\Kyv QL 620\\WinXP\\");
            image.String(1560, "UNIDRV.DLL");
            image.String(1820, "UNIDRV.HLP");
            image.String(2092, "UNIDRVUI.DLL");
            image.String(2352, "QL620.GPD");
            image.Dword(2612, c.makeDefault ? 0x44 : 0x40);
            image.pointerOffsets = {2080, 2084, 2088};
            const std::vector<unsigned char> bytes = RecordBytes(d.folder, installs.front());
            const long difference = image.FirstDifference(bytes);
            run.checks.Expect(difference < 0, "%s: record differs at byte %ld (size %zu)", c.name, difference, bytes.size());
            const std::vector<std::string> pointers = RecordPointers(d.folder, installs.front());
            run.checks.Expect(pointers.size() == 3 && pointers[0] == "QL22.dll" && pointers[1] == "Kyv" &&
                                  pointers[2] == "www.kyv.com",
                              "%s: pointer fields point elsewhere", c.name);
        }
        run.checks.Expect(InfStoreHolds("E:\\Windows\\Kyv QL 620\\WinXP\\KYVSETUP.INF"),
                          "%s: KYVSETUP.INF is not in the system's INF store", c.name);
        const std::string entry = DefaultPrinterEntry();
        if (c.entryWritten)
            run.checks.Expect(entry == "Front Desk,Kyv QL 620,LPT1:", "%s: Device entry '%s'", c.name, entry.c_str());
        else
            run.checks.Expect(entry.empty(), "%s: Device entry written: '%s'", c.name, entry.c_str());
        if (c.answer == 0)
            LaterThenFinish(run, d.wizard);
        else
            QuitFromPage(run, d.wizard, d.page);
    }
    ClearDefaultPrinterEntry();
}

SCENARIO(windows_95_family_follows_32_with_add_printer)
{
    struct Case {
        const char* name;
        std::vector<DWORD> install;
        std::vector<DWORD> add;
        bool installed;
        size_t addCalls;
    };
    const Case cases[] = {
        {"32 then added", {32}, {0}, true, 1},
        {"32 twice", {32}, {32}, false, 1},
        {"installed at once", {0}, {0}, true, 0},
    };
    for (const Case& c : cases) {
        run.checks.Note("%s", c.name);
        ClearDefaultPrinterEntry();
        DoubleRun d(run, {0, kCodeWin98, c.install, c.add});
        if (!d.page)
            return;
        TypeName(run, d.page, "Shop Printer");
        SetCheck(run, d.page, IDC_CONFIG_DEFAULT_CHECK, true);
        ClickInstallAndConfirm(run, d.wizard, d.page, true);
        ExpectBoxAndAnswer(run, d.wizard,
                           c.installed ? ExpectedBox{"Setwright", kInstalledText, IDI_INFORMATION}
                                       : ExpectedBox{"Kyv Printer Corvane", kAlreadyText, IDI_INFORMATION},
                           d.page);
        const auto calls = LibraryCalls(d.folder);
        const auto installs = CallsNamed(calls, "install95");
        const auto adds = CallsNamed(calls, "add95");
        run.checks.Expect(installs.size() == 1 && adds.size() == c.addCalls, "%s: %zu installs, %zu adds", c.name,
                          installs.size(), adds.size());
        if (!installs.empty()) {
            const auto bytes = RecordBytes(d.folder, installs.front());
            run.checks.Expect(bytes.size() == 1632 && StringAt(bytes, 0) == "Shop Printer" &&
                                  StringAt(bytes, 31) == "Kyv QL 610" && StringAt(bytes, 62) == "kyv" &&
                                  StringAt(bytes, 842) == "E:\\Windows\\Kyv QL 610\\Win98\\" &&
                                  DwordAt(bytes, 1628) == 0x44,
                              "%s: the 95 record is not as expected", c.name);
        }
        run.checks.Expect(CallsNamed(calls, "installNT").empty(), "%s: the NT record was used", c.name);
        run.checks.Expect(DefaultPrinterEntry().empty(), "%s: a Device entry was written on the 95 family", c.name);
        if (c.installed)
            LaterThenFinish(run, d.wizard);
        else
            QuitFromPage(run, d.wizard, d.page);
    }
}

SCENARIO(nt40_shows_the_printer_name_box_once)
{
    DoubleRun d(run, {0, kCodeNt40, {0}, {0}});
    if (!d.page)
        return;
    ClickInstallAndConfirm(run, d.wizard, d.page, true);
    ExpectBoxAndAnswer(run, d.wizard, {"Printer Name", "Kyv QL 610", IDI_WARNING}, nullptr);
    ExpectBoxAndAnswer(run, d.wizard, {"Setwright", kInstalledText, IDI_INFORMATION}, d.page);
    const auto installs = CallsNamed(LibraryCalls(d.folder), "installNT");
    if (run.checks.Expect(installs.size() == 1, "the library was not called once")) {
        const auto bytes = RecordBytes(d.folder, installs.front());
        run.checks.Expect(StringAt(bytes, 1560) == "RASDD.DLL" && StringAt(bytes, 2092) == "RASDDUI.DLL" &&
                              StringAt(bytes, 1820) == "RASDDUI.HLP" && StringAt(bytes, 2352) == "QL610.GPD",
                          "the NT 4.0 record does not name the NT 4.0 files");
    }
    run.checks.Expect(CountVisibleWindows(d.wizard.pid(), "#32770", "Printer Name") == 0, "a second Printer Name box");
    LaterThenFinish(run, d.wizard);
}

namespace {

// Where the session's browser stand-in logs the addresses it was asked to open.
std::string UrlLogPath(const Run& run)
{
    std::string path = run.outDir;
    for (int up = 0; up < 2; ++up)
        path = path.substr(0, path.find_last_of('\\'));
    return path + "\\test-session\\urls.log";
}

// From CONFIGURATION through a successful installation to REGISTRATION.
HWND InstallToRegistration(Run& run, DoubleRun& d, const char* name, bool makeDefault, bool testPage)
{
    TypeName(run, d.page, name);
    SetCheck(run, d.page, IDC_CONFIG_DEFAULT_CHECK, makeDefault);
    SetCheck(run, d.page, IDC_CONFIG_TESTPAGE_CHECK, testPage);
    ClickInstallAndConfirm(run, d.wizard, d.page, true);
    ExpectBoxAndAnswer(run, d.wizard, {"Setwright", kInstalledText, IDI_INFORMATION}, d.page);
    HWND registration = WaitForPageKind(d.wizard.pid(), PageKind::Registration);
    run.checks.Expect(registration != nullptr, "REGISTRATION did not open");
    return registration;
}

}  // namespace

SCENARIO(registration_later_and_register)
{
    DeleteFileA(UrlLogPath(run).c_str());
    for (const char* way : {"Later", "Register"}) {
        run.checks.Note("%s", way);
        DoubleRun d(run, {});
        if (!d.page)
            return;
        const RECT configRect = WindowRect(d.page);
        HWND registration = InstallToRegistration(run, d, "Front Desk", false, false);
        if (!registration)
            return;
        const RECT regRect = WindowRect(registration);
        run.checks.Expect(regRect.left == configRect.left && regRect.top == configRect.top,
                          "REGISTRATION at (%ld,%ld), CONFIGURATION was at (%ld,%ld)", regRect.left, regRect.top,
                          configRect.left, configRect.top);
        const bool later = std::string(way) == "Later";
        const int id = later ? IDC_REG_LATER_HIGHLIGHT : IDC_REG_REGISTER_HIGHLIGHT;
        // Click where the button is without moving first: the highlighted control lies on top.
        const POINT target = Centre(WindowRect(GetDlgItem(registration, id)));
        if (later) {
            Settle(300);
            SaveScreenArea(regRect, run.outDir + "\\registration.bmp");
        }
        SetCursorPos(target.x, target.y);
        MouseDown();
        MouseUp();
        const DWORD clicked = GetTickCount();
        run.checks.Expect(WaitUntil([&] { return !IsWindowVisible(registration); }, 3000),
                          "%s: REGISTRATION did not go", way);
        HWND conclusion = WaitForPageKind(d.wizard.pid(), PageKind::Conclusion, 8000);
        const DWORD waited = GetTickCount() - clicked;
        if (!run.checks.Expect(conclusion != nullptr, "%s: CONCLUSION did not open", way))
            return;
        if (later)
            run.checks.Expect(waited < 2000, "Later: CONCLUSION took %lu ms", waited);
        else
            run.checks.Expect(waited >= 2700 && waited < 6000, "Register: CONCLUSION after %lu ms, not about 3 s", waited);
        const RECT conclRect = WindowRect(conclusion);
        run.checks.Expect(conclRect.left == regRect.left && conclRect.top == regRect.top,
                          "%s: CONCLUSION is not in REGISTRATION's place", way);
        if (!later) {
            const std::string log = ReadFileShared(UrlLogPath(run));
            run.checks.Expect(log.find("http://www.kyv.com/kyvportal/kyvcare/prodreg/prodregistration.aspx") !=
                                  std::string::npos,
                              "the registration address was not opened; browser log: '%s'", log.c_str());
        }
        Settle(200);
        if (ClickButton(run, conclusion, IDC_CONCL_FINISH_NORMAL, IDC_CONCL_FINISH_HIGHLIGHT))
            d.wizard.ExpectCleanExit();
    }
}

SCENARIO(conclusion_shows_the_summary_and_installs_another)
{
    ClearDefaultPrinterEntry();
    DoubleRun d(run, {});
    if (!d.page)
        return;
    ChooseModel(run, d.page, 1);
    ChoosePort(run, d.page, "LPT1:");
    HWND registration = InstallToRegistration(run, d, "Front Desk", true, true);
    if (!registration || !ClickButton(run, registration, IDC_REG_LATER_NORMAL, IDC_REG_LATER_HIGHLIGHT))
        return;
    HWND conclusion = WaitForPageKind(d.wizard.pid(), PageKind::Conclusion);
    if (!run.checks.Expect(conclusion != nullptr, "CONCLUSION did not open"))
        return;
    Settle(300);
    struct Field {
        int id;
        const char* expected;
    };
    const Field first[] = {{IDC_CONCL_MODEL_FIELD, "Kyv QL 620"}, {IDC_CONCL_PORT_FIELD, "LPT1:"},
                           {IDC_CONCL_PRINTER_FIELD, "Front Desk"}, {IDC_CONCL_DEFAULT_FIELD, "Yes"},
                           {IDC_CONCL_TESTPAGE_FIELD, "Yes"}};
    for (const Field& f : first) {
        HWND field = GetDlgItem(conclusion, f.id);
        run.checks.Expect(ControlText(field) == f.expected, "field %d shows '%s', expected '%s'", f.id,
                          ControlText(field).c_str(), f.expected);
        run.checks.Expect((GetWindowLongA(field, GWL_STYLE) & ES_READONLY) != 0, "field %d is not read-only", f.id);
        const RECT r = WindowRect(field);
        HDC screen = GetDC(nullptr);
        const COLORREF background = GetPixel(screen, r.right - 3, (r.top + r.bottom) / 2);
        ReleaseDC(nullptr, screen);
        run.checks.Expect(background == RGB(255, 255, 255), "field %d is not white (%06lx)", f.id, background);
    }
    MoveMouse(5, 5);
    Settle(200);
    SaveScreenArea(WindowRect(conclusion), run.outDir + "\\conclusion.bmp");
    const std::string firstEntry = DefaultPrinterEntry();
    run.checks.Expect(firstEntry == "Front Desk,Kyv QL 620,LPT1:", "Device entry '%s'", firstEntry.c_str());

    // Close glyph and F4 ask; No keeps the page.
    if (ClickGlyph(run, conclusion, IDC_GLYPH_CLOSE)) {
        if (HWND box = ExpectQuitQuestion(run, d.wizard.pid(), conclusion))
            AnswerMessageBox(box, IDNO);
    }
    MoveMouse(Centre(WindowRect(conclusion)).x, Centre(WindowRect(conclusion)).y);
    KeyPress(VK_F4);
    if (HWND box = ExpectQuitQuestion(run, d.wizard.pid(), conclusion))
        AnswerMessageBox(box, IDNO);
    Settle(300);
    run.checks.Expect(IsWindowVisible(conclusion) != FALSE, "No did not keep CONCLUSION");

    // Another installation with other choices shows its own values.
    if (!ClickButton(run, conclusion, IDC_CONCL_ANOTHER_NORMAL, IDC_CONCL_ANOTHER_HIGHLIGHT))
        return;
    HWND second = WaitForPageKind(d.wizard.pid(), PageKind::Configuration);
    if (!run.checks.Expect(second != nullptr && second != d.page, "no new CONFIGURATION"))
        return;
    Settle(300);
    run.checks.Expect(ControlText(GetDlgItem(second, IDC_CONFIG_NAME_EDIT)) == "Kyv QL 610" &&
                          !IsChecked(GetDlgItem(second, IDC_CONFIG_DEFAULT_CHECK)),
                      "the new CONFIGURATION does not start from its template");
    d.page = second;
    ChooseModel(run, second, 2);
    HWND registration2 = InstallToRegistration(run, d, "Back Office", false, false);
    if (!registration2 || !ClickButton(run, registration2, IDC_REG_LATER_NORMAL, IDC_REG_LATER_HIGHLIGHT))
        return;
    HWND conclusion2 = WaitForPageKind(d.wizard.pid(), PageKind::Conclusion);
    if (!run.checks.Expect(conclusion2 != nullptr && conclusion2 != conclusion, "no second CONCLUSION"))
        return;
    Settle(300);
    const Field secondFields[] = {{IDC_CONCL_MODEL_FIELD, "Kyv QL 630"}, {IDC_CONCL_PRINTER_FIELD, "Back Office"},
                                  {IDC_CONCL_DEFAULT_FIELD, "No"}, {IDC_CONCL_TESTPAGE_FIELD, "No"}};
    for (const Field& f : secondFields)
        run.checks.Expect(ControlText(GetDlgItem(conclusion2, f.id)) == f.expected, "second: field %d shows '%s'", f.id,
                          ControlText(GetDlgItem(conclusion2, f.id)).c_str());
    run.checks.Expect(!IsWindowVisible(conclusion), "the first CONCLUSION is still on the screen");
    run.checks.Expect(DefaultPrinterEntry() == firstEntry, "an unchecked default wrote the Device entry");
    // Finish ends without a question.
    if (ClickButton(run, conclusion2, IDC_CONCL_FINISH_NORMAL, IDC_CONCL_FINISH_HIGHLIGHT)) {
        Settle(300);
        run.checks.Expect(CountVisibleWindows(d.wizard.pid(), "#32770", kQuitCaption) == 0, "Finish asked a question");
        d.wizard.ExpectCleanExit();
    }
    ClearDefaultPrinterEntry();
}

SCENARIO(busy_form_screenshot_and_ways_out_of_configuration)
{
    // The busy form as a person sees it: the stand-in holds the library call long
    // enough for a picture when asked to, via the NT 4.0 box which blocks in the busy form.
    DoubleRun d(run, {0, kCodeNt40, {5}, {0}});
    if (!d.page)
        return;
    ClickInstallAndConfirm(run, d.wizard, d.page, true);
    HWND box = WaitForMessageBox(d.wizard.pid(), "Printer Name", 5000);
    if (run.checks.Expect(box != nullptr, "no Printer Name box")) {
        Settle(300);
        run.checks.Expect(Shown(d.page, IDC_CONFIG_BANNER) && !Shown(d.page, IDC_CONFIG_PORT_LIST),
                          "the page is not in its busy form during the attempt");
        SaveScreenArea(WindowRect(d.page), run.outDir + "\\configuration_busy.bmp");
        AnswerMessageBox(box, IDOK);
    }
    ExpectBoxAndAnswer(run, d.wizard, {"Setwright", kPrivilegesText, IDI_ERROR}, d.page);
    // Cancel asks, No stays, F4 asks, Yes ends.
    if (ClickButton(run, d.page, IDC_CONFIG_CANCEL_NORMAL, IDC_CONFIG_CANCEL_HIGHLIGHT)) {
        if (HWND question = ExpectQuitQuestion(run, d.wizard.pid(), d.page))
            AnswerMessageBox(question, IDNO);
    }
    Settle(300);
    run.checks.Expect(IsWindowVisible(d.page) != FALSE, "No did not keep CONFIGURATION");
    if (ClickButton(run, d.page, IDC_CONFIG_CANCEL_NORMAL, IDC_CONFIG_CANCEL_HIGHLIGHT))
        ConfirmQuitQuestion(run, d.wizard);
}

SCENARIO(configuration_quit_key_asks_with_the_focus_anywhere)
{
    DoubleRun d(run, {});
    if (!d.page)
        return;
    const POINT centre = Centre(WindowRect(d.page));
    MoveMouse(centre.x, centre.y);
    // The focus starts on the model list; then in the name edit and on a check box.
    struct Place {
        const char* name;
        int focusOn;
        bool withAlt;
    };
    const Place places[] = {
        {"model list, F4", 0, false},
        {"name edit, F4", IDC_CONFIG_NAME_EDIT, false},
        {"check box, Alt+F4", IDC_CONFIG_TESTPAGE_CHECK, true},
    };
    for (const Place& place : places) {
        run.checks.Note("%s", place.name);
        if (place.focusOn)
            Click(Centre(WindowRect(GetDlgItem(d.page, place.focusOn))));
        Settle(200);
        if (place.withAlt)
            KeyDown(VK_MENU);
        KeyPress(VK_F4);
        if (place.withAlt)
            KeyUp(VK_MENU);
        if (HWND box = ExpectQuitQuestion(run, d.wizard.pid(), d.page))
            AnswerMessageBox(box, IDNO);
        Settle(300);
        run.checks.Expect(IsWindowVisible(d.page) != FALSE, "%s: No did not keep the page", place.name);
    }
    QuitFromPage(run, d.wizard, d.page);
}
