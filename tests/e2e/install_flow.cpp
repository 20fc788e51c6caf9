#include "install_flow.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "res/resource.h"

namespace e2e {

// ---- The stand-in library --------------------------------------------------------

std::string PrepareDouble(Run& run, const DoubleScript& script)
{
    const std::string folder = run.outDir + "\\double";
    CreateDirectoryA(folder.c_str(), nullptr);
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::ofstream out(folder + "\\script.txt");
    out << "version " << script.versionResult << " " << script.versionCode << "\n";
    for (DWORD answer : script.installAnswers)
        out << "install " << answer << "\n";
    for (DWORD answer : script.addAnswers)
        out << "add " << answer << "\n";
    SetEnvironmentVariableA("CORVANE_DOUBLE_DIR", folder.c_str());
    return folder;
}

std::vector<LibraryCall> LibraryCalls(const std::string& folder)
{
    std::vector<LibraryCall> calls;
    std::ifstream in(folder + "\\calls.txt");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        LibraryCall call;
        words >> call.name >> call.answer;
        std::getline(words, call.pageState);
        call.index = static_cast<int>(calls.size()) + 1;
        calls.push_back(call);
    }
    return calls;
}

namespace {

std::string RecordStem(const std::string& folder, const LibraryCall& call)
{
    char stem[64];
    std::snprintf(stem, sizeof stem, "\\%03d-%s", call.index, call.name.c_str());
    return folder + stem;
}

}  // namespace

std::vector<unsigned char> RecordBytes(const std::string& folder, const LibraryCall& call)
{
    const std::string bytes = ReadFileShared(RecordStem(folder, call) + ".bin");
    return {bytes.begin(), bytes.end()};
}

std::vector<std::string> RecordPointers(const std::string& folder, const LibraryCall& call)
{
    std::vector<std::string> lines;
    std::ifstream in(RecordStem(folder, call) + ".ptr");
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

// ---- Pages -------------------------------------------------------------------------

namespace {

int MarkerControl(PageKind kind)
{
    switch (kind) {
    case PageKind::Introduction:
        return IDC_INTRO_ARTWORK;
    case PageKind::Configuration:
        return IDC_CONFIG_MODEL_LIST;
    case PageKind::Registration:
        return IDC_REG_ARTWORK;
    case PageKind::Conclusion:
        return IDC_CONCL_ARTWORK;
    }
    return 0;
}

}  // namespace

HWND FindPageKind(DWORD pid, PageKind kind)
{
    for (HWND hwnd : TopLevelWindows(pid))
        if (IsWindowVisible(hwnd) && ClassName(hwnd) == "#32770" && WindowText(hwnd) == kWizardTitle &&
            GetDlgItem(hwnd, MarkerControl(kind)))
            return hwnd;
    return nullptr;
}

HWND WaitForPageKind(DWORD pid, PageKind kind, DWORD timeoutMs)
{
    HWND page = nullptr;
    WaitUntil([&] { return (page = FindPageKind(pid, kind)) != nullptr; }, timeoutMs);
    return page;
}

HWND StartAtConfiguration(Run& run, Wizard& wizard)
{
    HWND intro = StartAtIntroduction(run, wizard);
    if (!intro || !ClickButton(run, intro, IDC_INTRO_NEXT_NORMAL, IDC_INTRO_NEXT_HIGHLIGHT))
        return nullptr;
    HWND page = WaitForPageKind(wizard.pid(), PageKind::Configuration);
    if (run.checks.Expect(page != nullptr, "CONFIGURATION did not open after Next"))
        Settle(300);
    return page;
}

namespace {

std::vector<std::string> ItemsOf(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage)
{
    std::vector<std::string> items;
    const LRESULT count = SendMessageW(control, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(control, lengthMessage, static_cast<WPARAM>(i), 0);
        std::wstring wide(static_cast<size_t>(length < 0 ? 0 : length) + 1, L'\0');
        SendMessageW(control, textMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide.data()));
        std::string narrow;
        for (wchar_t c : wide)
            if (c)
                narrow.push_back(static_cast<char>(c));
        items.push_back(narrow);
    }
    return items;
}

}  // namespace

std::vector<std::string> ListItems(HWND list) { return ItemsOf(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }

std::vector<std::string> ComboItems(HWND combo) { return ItemsOf(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT); }

std::string ControlText(HWND control)
{
    wchar_t wide[512] = L"";
    SendMessageW(control, WM_GETTEXT, std::size(wide), reinterpret_cast<LPARAM>(wide));
    std::string narrow;
    for (const wchar_t* c = wide; *c; ++c)
        narrow.push_back(static_cast<char>(*c));
    return narrow;
}

bool IsChecked(HWND check) { return SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void ChooseModel(Run& run, HWND page, int index)
{
    HWND list = GetDlgItem(page, IDC_CONFIG_MODEL_LIST);
    const LRESULT itemHeight = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    const RECT area = WindowRect(list);
    Click({area.left + 20, area.top + 3 + static_cast<LONG>(itemHeight) * index + static_cast<LONG>(itemHeight) / 2});
    run.checks.Expect(WaitUntil([&] { return SendMessageW(list, LB_GETCURSEL, 0, 0) == index; }, 2000),
                      "model %d did not become selected", index);
}

void TypeText(const std::string& text)
{
    for (char c : text) {
        INPUT input[2]{};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wScan = input[1].ki.wScan = static_cast<WORD>(static_cast<unsigned char>(c));
        input[0].ki.dwFlags = KEYEVENTF_UNICODE;
        input[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
        Sleep(5);
    }
    Settle(150);
}

void TypeName(Run& run, HWND page, const std::string& name)
{
    HWND edit = GetDlgItem(page, IDC_CONFIG_NAME_EDIT);
    Click(Centre(WindowRect(edit)));
    // Select everything and type over it, as a person replaces a proposed name.
    KeyPress(VK_END, 30);
    KeyDown(VK_SHIFT);
    KeyPress(VK_HOME, 30);
    KeyUp(VK_SHIFT);
    KeyPress(VK_DELETE, 30);
    TypeText(name);
    run.checks.Expect(WaitUntil([&] { return ControlText(edit) == name.substr(0, 30); }, 2000),
                      "the name edit shows '%s' after typing '%s'", ControlText(edit).c_str(), name.c_str());
}

void ChoosePort(Run& run, HWND page, const std::string& port)
{
    HWND combo = GetDlgItem(page, IDC_CONFIG_PORT_LIST);
    const std::vector<std::string> ports = ComboItems(combo);
    int index = -1;
    for (size_t i = 0; i < ports.size(); ++i)
        if (ports[i] == port)
            index = static_cast<int>(i);
    if (!run.checks.Expect(index >= 0, "port %s is not in the list", port.c_str()))
        return;
    // Open the list with the mouse, then walk to the port with the arrow keys.
    Click(Centre(WindowRect(combo)));
    Settle(200);
    KeyPress(VK_HOME, 30);
    for (int i = 0; i < index; ++i)
        KeyPress(VK_DOWN, 20);
    KeyPress(VK_RETURN, 30);
    run.checks.Expect(WaitUntil([&] { return ControlText(combo) == port; }, 2000), "port list shows '%s', not %s",
                      ControlText(combo).c_str(), port.c_str());
}

void SetCheck(Run& run, HWND page, int checkId, bool checked)
{
    HWND check = GetDlgItem(page, checkId);
    if (IsChecked(check) != checked)
        Click(Centre(WindowRect(check)));
    run.checks.Expect(WaitUntil([&] { return IsChecked(check) == checked; }, 2000), "check box %d is not %s", checkId,
                      checked ? "checked" : "clear");
}

std::string ClickInstallAndConfirm(Run& run, Wizard& wizard, HWND page, bool yes)
{
    if (!ClickButton(run, page, IDC_CONFIG_INSTALL_NORMAL, IDC_CONFIG_INSTALL_HIGHLIGHT))
        return "";
    HWND box = WaitForMessageBox(wizard.pid(), "Setwrigt", 5000);
    if (!run.checks.Expect(box != nullptr, "the port confirmation did not appear"))
        return "";
    const MessageBoxView view = ReadMessageBox(box);
    run.checks.Expect(view.buttons == std::vector<int>{IDYES, IDNO}, "the confirmation has not Yes and No");
    run.checks.Expect(view.icon == IDI_QUESTION, "the confirmation has not the question icon");
    AnswerMessageBox(box, yes ? IDYES : IDNO);
    WaitUntil([&] { return !IsWindow(box); }, 3000);
    return view.text;
}

bool ExpectBoxAndAnswer(Run& run, Wizard& wizard, const ExpectedBox& expected, HWND owner, int answer)
{
    HWND box = WaitForMessageBox(wizard.pid(), expected.caption, 8000);
    if (!run.checks.Expect(box != nullptr, "no box with caption '%s' appeared", expected.caption))
        return false;
    const MessageBoxView view = ReadMessageBox(box);
    run.checks.Expect(view.text == expected.text, "box '%s' says '%s', expected '%s'", expected.caption,
                      view.text.c_str(), expected.text.c_str());
    run.checks.Expect(view.icon == expected.icon, "box '%s' shows another icon", expected.caption);
    run.checks.Expect(view.owner == owner, "box '%s' has owner %p, expected %p", expected.caption,
                      static_cast<void*>(view.owner), static_cast<void*>(owner));
    AnswerMessageBox(box, answer);
    return run.checks.Expect(WaitUntil([&] { return !IsWindow(box); }, 3000), "box '%s' did not close",
                             expected.caption);
}

void LaterThenFinish(Run& run, Wizard& wizard)
{
    HWND registration = WaitForPageKind(wizard.pid(), PageKind::Registration);
    if (!run.checks.Expect(registration != nullptr, "REGISTRATION did not open"))
        return;
    Settle(200);
    if (!ClickButton(run, registration, IDC_REG_LATER_NORMAL, IDC_REG_LATER_HIGHLIGHT))
        return;
    HWND conclusion = WaitForPageKind(wizard.pid(), PageKind::Conclusion);
    if (!run.checks.Expect(conclusion != nullptr, "CONCLUSION did not open after Later"))
        return;
    Settle(200);
    if (ClickButton(run, conclusion, IDC_CONCL_FINISH_NORMAL, IDC_CONCL_FINISH_HIGHLIGHT))
        wizard.ExpectCleanExit();
}

std::string DefaultPrinterEntry()
{
    char entry[256] = "";
    GetProfileStringA("windows", "Device", "", entry, static_cast<DWORD>(std::size(entry)));
    return entry;
}

void ClearDefaultPrinterEntry() { WriteProfileStringA("windows", "Device", nullptr); }

}  // namespace e2e
