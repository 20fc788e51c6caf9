#include "wizard_pages.h"

namespace e2e {

namespace {

HWND FindTitled(DWORD pid, bool appWindow)
{
    for (HWND hwnd : TopLevelWindows(pid)) {
        if (!IsWindowVisible(hwnd) || ClassName(hwnd) != "#32770" || WindowText(hwnd) != kWizardTitle)
            continue;
        const bool isApp = (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0;
        if (isApp == appWindow)
            return hwnd;
    }
    return nullptr;
}

}  // namespace

HWND FindPage(DWORD pid) { return FindTitled(pid, true); }

HWND WaitForPage(DWORD pid, DWORD timeoutMs)
{
    HWND page = nullptr;
    WaitUntil([&] { return (page = FindPage(pid)) != nullptr; }, timeoutMs);
    return page;
}

HWND FindAboutBox(DWORD pid) { return FindTitled(pid, false); }

HWND WaitForAboutBox(DWORD pid, DWORD timeoutMs)
{
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindAboutBox(pid)) != nullptr; }, timeoutMs);
    return box;
}

HWND StartAtIntroduction(Run& run, Wizard& wizard, const std::string& arguments, WORD showCommand)
{
    if (!wizard.Launch(arguments, showCommand))
        return nullptr;
    HWND page = WaitForPage(wizard.pid());
    run.checks.Expect(page != nullptr, "INTRODUCTION did not appear");
    if (page)
        Settle(200);  // let the first paint finish before input arrives
    return page;
}

bool Shown(HWND page, int id) { return IsWindowVisible(GetDlgItem(page, id)) != FALSE; }

bool ClickButton(Run& run, HWND page, int normalId, int highlightId)
{
    const RECT area = WindowRect(GetDlgItem(page, normalId));
    const POINT centre = Centre(area);
    // As a person does when a button does not light up at once: off it and back on.
    bool highlighted = false;
    for (int attempt = 0; attempt < 3 && !highlighted; ++attempt) {
        if (attempt > 0)
            MoveMouse(centre.x, area.bottom + 4);
        MoveMouse(centre.x, centre.y);
        highlighted = WaitUntil([&] { return Shown(page, highlightId); }, 1000);
    }
    if (!run.checks.Expect(highlighted, "button %d did not highlight under the cursor", normalId))
        return false;
    MouseDown();
    MouseUp();
    return true;
}

bool ClickGlyph(Run& run, HWND page, int glyphId)
{
    HWND glyph = GetDlgItem(page, glyphId);
    if (!run.checks.Expect(glyph && IsWindowVisible(glyph), "glyph %d is not shown", glyphId))
        return false;
    Click(Centre(WindowRect(glyph)));
    return true;
}

void PressMoveRelease(POINT from, POINT to)
{
    MoveMouse(from.x, from.y);
    MouseDown();
    MoveMouseInSteps(from, to, 8);
    MouseUp();
}

HWND ExpectQuitQuestion(Run& run, DWORD pid, HWND expectedOwner)
{
    HWND box = WaitForMessageBox(pid, kQuitCaption, 5000);
    if (!run.checks.Expect(box != nullptr, "the quit question did not appear"))
        return nullptr;
    const MessageBoxView view = ReadMessageBox(box);
    run.checks.Expect(view.text == kQuitText, "quit question text is '%s'", view.text.c_str());
    run.checks.Expect(view.buttons == std::vector<int>{IDYES, IDNO}, "quit question has %zu buttons, not Yes and No",
                      view.buttons.size());
    run.checks.Expect(view.icon == IDI_QUESTION, "quit question does not show the question icon");
    run.checks.Expect(view.owner == expectedOwner, "quit question owner %p, expected %p",
                      static_cast<void*>(view.owner), static_cast<void*>(expectedOwner));
    return box;
}

void ConfirmQuitQuestion(Run& run, Wizard& wizard)
{
    HWND box = WaitForMessageBox(wizard.pid(), kQuitCaption, 5000);
    if (!run.checks.Expect(box != nullptr, "the quit question did not appear"))
        return;
    AnswerMessageBox(box, IDYES);
    wizard.ExpectCleanExit();
}

void ExpectNothingHappened(Run& run, Wizard& wizard, HWND page, const RECT& where, const char* after)
{
    Settle(500);
    run.checks.Expect(wizard.Running(), "%s: the wizard ended", after);
    run.checks.Expect(IsWindowVisible(page) != FALSE, "%s: the page is gone", after);
    const RECT now = WindowRect(page);
    run.checks.Expect(EqualRect(&now, &where) != FALSE, "%s: the page moved from (%ld,%ld) to (%ld,%ld)", after,
                      where.left, where.top, now.left, now.top);
    run.checks.Expect(CountVisibleWindows(wizard.pid(), "#32770", kQuitCaption) == 0, "%s: a message box appeared",
                      after);
    run.checks.Expect(FindAboutBox(wizard.pid()) == nullptr, "%s: the ABOUT box opened", after);
}

}  // namespace e2e
