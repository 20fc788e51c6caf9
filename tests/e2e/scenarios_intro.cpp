// Start-up, the INTRODUCTION page, the ABOUT box and the chrome they share.
#include <string>

#include "res/resource.h"
#include "scenario.h"
#include "wizard_pages.h"

using namespace e2e;

namespace {

struct ButtonIds {
    const char* name;
    int normal;
    int highlight;
};

constexpr ButtonIds kIntroButtons[] = {
    {"Next", IDC_INTRO_NEXT_NORMAL, IDC_INTRO_NEXT_HIGHLIGHT},
    {"Cancel", IDC_INTRO_CANCEL_NORMAL, IDC_INTRO_CANCEL_HIGHLIGHT},
    {"About", IDC_INTRO_ABOUT_NORMAL, IDC_INTRO_ABOUT_HIGHLIGHT},
};

// A point on the painted text panel, away from every button: a handle for dragging.
POINT BackgroundPoint(HWND page)
{
    const POINT origin = ClientOrigin(page);
    return {origin.x + 420, origin.y + 200};
}

RECT Offset(RECT rect, int dx, int dy)
{
    OffsetRect(&rect, dx, dy);
    return rect;
}

void QuitByCancel(Run& run, Wizard& wizard, HWND page)
{
    if (ClickButton(run, page, IDC_INTRO_CANCEL_NORMAL, IDC_INTRO_CANCEL_HIGHLIGHT))
        ConfirmQuitQuestion(run, wizard);
}

void ExpectAboutAtTemplatePlace(Run& run, HWND page, HWND about, const char* when)
{
    // Position and size are converted separately, as the dialog manager does.
    const RECT position = DialogUnitsToPixels(L"Arial", 8, {90, 50, 0, 0});
    const RECT size = DialogUnitsToPixels(L"Arial", 8, {0, 0, 231, 127});
    const POINT origin = ClientOrigin(page);
    const RECT expected{origin.x + position.left, origin.y + position.top, origin.x + position.left + size.right,
                        origin.y + position.top + size.bottom};
    const RECT actual = WindowRect(about);
    run.checks.Expect(EqualRect(&expected, &actual) != FALSE,
                      "%s: ABOUT at (%ld,%ld)-(%ld,%ld), expected (%ld,%ld)-(%ld,%ld)", when, actual.left, actual.top,
                      actual.right, actual.bottom, expected.left, expected.top, expected.right, expected.bottom);
}

}  // namespace

SCENARIO(start_shows_only_introduction)
{
    // Whatever the show command and the arguments, the first window a person sees
    // is INTRODUCTION, and the main window never appears.
    struct Start {
        const char* name;
        WORD show;
        const char* arguments;
    };
    const Start starts[] = {
        {"maximised", SW_SHOWMAXIMIZED, "/S /install D:\\nowhere --help"},
        {"hidden", SW_HIDE, "\"quoted arg\" %PATH% ~~~ \x01\x7f"},
        {"minimised", SW_SHOWMINIMIZED, "-v"},
    };
    for (const Start& start : starts) {
        run.checks.Note("start %s", start.name);
        Wizard wizard(run.exe, run.checks);
        if (!wizard.Launch(start.arguments, start.show))
            return;
        HWND page = nullptr;
        bool otherWindowSeen = false;
        WaitUntil(
            [&] {
                for (HWND hwnd : TopLevelWindows(wizard.pid())) {
                    if (!IsWindowVisible(hwnd))
                        continue;
                    if (ClassName(hwnd) == "#32770" && WindowText(hwnd) == kWizardTitle)
                        page = hwnd;
                    else
                        otherWindowSeen = true;
                }
                return page != nullptr;
            },
            kPageTimeoutMs);
        if (!run.checks.Expect(page != nullptr, "%s: INTRODUCTION did not appear", start.name))
            return;
        run.checks.Expect(!otherWindowSeen, "%s: a window was visible before INTRODUCTION", start.name);
        Settle(300);
        HWND mainWindow = nullptr;
        for (HWND hwnd : TopLevelWindows(wizard.pid())) {
            if (ClassName(hwnd) == "Corvane")
                mainWindow = hwnd;
            else if (hwnd != page && IsWindowVisible(hwnd))
                run.checks.Expect(false, "%s: another visible window '%s'", start.name, WindowText(hwnd).c_str());
        }
        if (run.checks.Expect(mainWindow != nullptr, "%s: no main window of class Corvane", start.name)) {
            run.checks.Expect(!IsWindowVisible(mainWindow), "%s: the main window is visible", start.name);
            run.checks.Expect(WindowText(mainWindow) == "Driver Installation Utility", "%s: main window title '%s'",
                              start.name, WindowText(mainWindow).c_str());
            run.checks.Expect(GetWindow(page, GW_OWNER) == mainWindow, "%s: INTRODUCTION is not owned by the main window",
                              start.name);
        }
        run.checks.Expect(!IsIconic(page) && !IsZoomed(page), "%s: INTRODUCTION is not shown normally", start.name);
        QuitByCancel(run, wizard, page);
    }
}

SCENARIO(introduction_is_centred_with_title_and_taskbar_button)
{
    Wizard wizard(run.exe, run.checks);
    HWND page = StartAtIntroduction(run, wizard);
    if (!page)
        return;
    const RECT size = DialogUnitsToPixels(L"Arial", 10, {0, 0, 350, 207});
    const RECT rect = WindowRect(page);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    run.checks.Expect(width == size.right && height == size.bottom, "page is %dx%d, template gives %ldx%ld", width,
                      height, size.right, size.bottom);
    const int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    const int cyScreen = GetSystemMetrics(SM_CYSCREEN);
    run.checks.Expect(rect.left == (cxScreen - width) / 2 && rect.top == (cyScreen - height) / 2,
                      "page at (%ld,%ld), centre formula gives (%d,%d)", rect.left, rect.top, (cxScreen - width) / 2,
                      (cyScreen - height) / 2);
    run.checks.Expect(WindowText(page) == kWizardTitle, "title '%s'", WindowText(page).c_str());
    const LONG style = GetWindowLongA(page, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(page, GWL_EXSTYLE);
    run.checks.Expect((exStyle & WS_EX_APPWINDOW) != 0, "no taskbar button (WS_EX_APPWINDOW missing)");
    run.checks.Expect((style & WS_CAPTION) == 0 && (style & WS_POPUP) != 0, "page style %08lx is not a borderless popup",
                      style);

    // Each button control sits where its template puts it, in the page's dialog units.
    struct Placed {
        int id;
        RECT units;
    };
    const Placed placed[] = {
        {IDC_INTRO_NEXT_NORMAL, {238, 188, 285, 204}},
        {IDC_INTRO_CANCEL_NORMAL, {285, 188, 332, 204}},
        {IDC_INTRO_ABOUT_NORMAL, {33, 188, 86, 204}},
        {IDC_GLYPH_MINIMISE, {322, 3, 333, 12}},
        {IDC_GLYPH_CLOSE, {333, 3, 345, 13}},
    };
    const POINT origin = ClientOrigin(page);
    for (const Placed& p : placed) {
        const RECT expected = DialogUnitsToPixels(L"Arial", 10, p.units);
        const RECT actual = WindowRect(GetDlgItem(page, p.id));
        run.checks.Expect(actual.left == origin.x + expected.left && actual.top == origin.y + expected.top,
                          "control %d at (%ld,%ld), template gives (%ld,%ld)", p.id, actual.left - origin.x,
                          actual.top - origin.y, expected.left, expected.top);
    }
    // Picture of the page at rest, cursor off the page.
    MoveMouse(5, 5);
    Settle(200);
    SaveScreenArea(rect, run.outDir + "\\introduction.bmp");
    if (ClickGlyph(run, page, IDC_GLYPH_CLOSE)) {
        ExpectQuitQuestion(run, wizard.pid(), page);
        ConfirmQuitQuestion(run, wizard);
    }
}

SCENARIO(about_opens_at_its_place_also_after_a_drag)
{
    Wizard wizard(run.exe, run.checks);
    HWND page = StartAtIntroduction(run, wizard);
    if (!page)
        return;
    for (const char* when : {"first opening", "after a drag"}) {
        if (std::string(when) == "after a drag") {
            const POINT from = BackgroundPoint(page);
            const RECT before = WindowRect(page);
            PressMoveRelease(from, {from.x - 150, from.y - 90});
            WaitUntil([&] { return WindowRect(page).left != before.left; }, 2000);
            const RECT expected = Offset(before, -150, -90);
            const RECT after = WindowRect(page);
            run.checks.Expect(EqualRect(&after, &expected) != FALSE, "drag moved the page to (%ld,%ld), expected (%ld,%ld)",
                              after.left, after.top, expected.left, expected.top);
        }
        if (!ClickButton(run, page, IDC_INTRO_ABOUT_NORMAL, IDC_INTRO_ABOUT_HIGHLIGHT))
            return;
        HWND about = WaitForAboutBox(wizard.pid());
        if (!run.checks.Expect(about != nullptr, "%s: the ABOUT box did not open", when))
            return;
        Settle(200);
        ExpectAboutAtTemplatePlace(run, page, about, when);
        run.checks.Expect(GetWindow(about, GW_OWNER) == page, "%s: ABOUT is not owned by INTRODUCTION", when);
        run.checks.Expect((GetWindowLongA(about, GWL_EXSTYLE) & WS_EX_APPWINDOW) == 0, "%s: ABOUT has a taskbar button",
                          when);
        run.checks.Expect(!IsWindowEnabled(page), "%s: INTRODUCTION is not disabled under ABOUT", when);
        if (std::string(when) == "first opening")
            SaveScreenArea(WindowRect(page), run.outDir + "\\about.bmp");
        if (!ClickButton(run, about, IDC_ABOUT_OK_NORMAL, IDC_ABOUT_OK_HIGHLIGHT))
            return;
        run.checks.Expect(WaitUntil([&] { return FindAboutBox(wizard.pid()) == nullptr; }, 3000),
                          "%s: Ok did not close ABOUT", when);
        run.checks.Expect(WaitUntil([&] { return IsWindowEnabled(page) != FALSE; }, 3000),
                          "%s: INTRODUCTION stayed disabled", when);
    }
    QuitByCancel(run, wizard, page);
}

SCENARIO(hover_highlights_each_button_including_its_right_and_bottom_edge)
{
    Wizard wizard(run.exe, run.checks);
    HWND page = StartAtIntroduction(run, wizard);
    if (!page)
        return;
    for (const ButtonIds& button : kIntroButtons) {
        const RECT area = WindowRect(GetDlgItem(page, button.normal));
        const RECT highlightArea = WindowRect(GetDlgItem(page, button.highlight));
        run.checks.Expect(area.left == highlightArea.left && area.top == highlightArea.top,
                          "%s: the two images are not at the same place", button.name);
        const POINT centre = Centre(area);
        struct Probe {
            const char* where;
            POINT at;
            bool highlighted;
        };
        const Probe probes[] = {
            {"off the button", {centre.x, area.bottom + 3}, false},
            {"centre", centre, true},
            {"column just right", {area.right, centre.y}, true},
            {"row just below", {centre.x, area.bottom}, true},
            {"two rows below", {centre.x, area.bottom + 2}, false},
            {"top-left pixel", {area.left, area.top}, true},
            {"left of it", {area.left - 2, centre.y}, false},
        };
        for (const Probe& probe : probes) {
            MoveMouse(probe.at.x, probe.at.y);
            const bool reached = WaitUntil(
                [&] {
                    return Shown(page, button.highlight) == probe.highlighted &&
                           Shown(page, button.normal) == !probe.highlighted;
                },
                1500);
            run.checks.Expect(reached, "%s, %s: expected the %s image (highlight shown %d, normal shown %d)",
                              button.name, probe.where, probe.highlighted ? "highlighted" : "normal",
                              Shown(page, button.highlight), Shown(page, button.normal));
            if (probe.highlighted && std::string(button.name) == "Next" && std::string(probe.where) == "centre")
                SaveScreenArea(WindowRect(page), run.outDir + "\\introduction_next_highlighted.bmp");
        }
    }
    QuitByCancel(run, wizard, page);
}

SCENARIO(about_box_pauses_hover_and_leaves_about_normal)
{
    Wizard wizard(run.exe, run.checks);
    HWND page = StartAtIntroduction(run, wizard);
    if (!page)
        return;
    if (!ClickButton(run, page, IDC_INTRO_ABOUT_NORMAL, IDC_INTRO_ABOUT_HIGHLIGHT))
        return;
    HWND about = WaitForAboutBox(wizard.pid());
    if (!run.checks.Expect(about != nullptr, "the ABOUT box did not open"))
        return;
    Settle(200);
    run.checks.Expect(Shown(page, IDC_INTRO_ABOUT_NORMAL) && !Shown(page, IDC_INTRO_ABOUT_HIGHLIGHT),
                      "About does not show its normal image while the box is open");

    // Over Next, outside the box: the page gets cursor messages but must not highlight.
    const POINT aboutCentre = Centre(WindowRect(GetDlgItem(page, IDC_INTRO_ABOUT_NORMAL)));
    const POINT nextCentre = Centre(WindowRect(GetDlgItem(page, IDC_INTRO_NEXT_NORMAL)));
    MoveMouseInSteps(aboutCentre, nextCentre, 6);
    Settle(400);
    run.checks.Expect(Shown(page, IDC_INTRO_NEXT_NORMAL) && !Shown(page, IDC_INTRO_NEXT_HIGHLIGHT),
                      "Next highlighted while ABOUT is open");

    // Back on About, F4 closes the box without a question.
    MoveMouseInSteps(nextCentre, aboutCentre, 6);
    KeyPress(VK_F4);
    run.checks.Expect(WaitUntil([&] { return FindAboutBox(wizard.pid()) == nullptr; }, 3000),
                      "F4 did not close ABOUT");
    Settle(400);
    run.checks.Expect(CountVisibleWindows(wizard.pid(), "#32770", kQuitCaption) == 0, "F4 on ABOUT asked a question");

    // The cursor is still on About: it keeps its normal image, also when moving on it.
    MoveMouse(aboutCentre.x + 3, aboutCentre.y + 1);
    MoveMouse(aboutCentre.x - 3, aboutCentre.y);
    Settle(300);
    run.checks.Expect(Shown(page, IDC_INTRO_ABOUT_NORMAL) && !Shown(page, IDC_INTRO_ABOUT_HIGHLIGHT),
                      "About highlighted again before the cursor left it");
    // Leaving and re-entering highlights it again.
    const RECT aboutArea = WindowRect(GetDlgItem(page, IDC_INTRO_ABOUT_NORMAL));
    MoveMouse(aboutCentre.x, aboutArea.bottom + 3);
    Settle(200);
    MoveMouse(aboutCentre.x, aboutCentre.y);
    run.checks.Expect(WaitUntil([&] { return Shown(page, IDC_INTRO_ABOUT_HIGHLIGHT); }, 1500),
                      "About did not highlight after the cursor left and came back");
    QuitByCancel(run, wizard, page);
}

SCENARIO(click_counts_only_with_press_and_release_on_the_same_button)
{
    Wizard wizard(run.exe, run.checks);
    HWND page = StartAtIntroduction(run, wizard);
    if (!page)
        return;
    auto centreOf = [&](int id) { return Centre(WindowRect(GetDlgItem(page, id))); };
    const RECT where = WindowRect(page);

    // Press on Next, release on Cancel.
    MoveMouse(centreOf(IDC_INTRO_NEXT_NORMAL).x, centreOf(IDC_INTRO_NEXT_NORMAL).y);
    WaitUntil([&] { return Shown(page, IDC_INTRO_NEXT_HIGHLIGHT); }, 1500);
    PressMoveRelease(centreOf(IDC_INTRO_NEXT_NORMAL), centreOf(IDC_INTRO_CANCEL_NORMAL));
    ExpectNothingHappened(run, wizard, page, where, "press Next, release Cancel");

    // Press on Cancel, release off it on the artwork's button band.
    MoveMouse(centreOf(IDC_INTRO_CANCEL_NORMAL).x, centreOf(IDC_INTRO_CANCEL_NORMAL).y);
    WaitUntil([&] { return Shown(page, IDC_INTRO_CANCEL_HIGHLIGHT); }, 1500);
    const RECT cancelArea = WindowRect(GetDlgItem(page, IDC_INTRO_CANCEL_NORMAL));
    PressMoveRelease(centreOf(IDC_INTRO_CANCEL_NORMAL), {cancelArea.left - 40, cancelArea.top - 30});
    ExpectNothingHappened(run, wizard, page, where, "press Cancel, release off it");

    // Press on About, release on Next.
    MoveMouse(centreOf(IDC_INTRO_ABOUT_NORMAL).x, centreOf(IDC_INTRO_ABOUT_NORMAL).y);
    WaitUntil([&] { return Shown(page, IDC_INTRO_ABOUT_HIGHLIGHT); }, 1500);
    PressMoveRelease(centreOf(IDC_INTRO_ABOUT_NORMAL), centreOf(IDC_INTRO_NEXT_NORMAL));
    ExpectNothingHappened(run, wizard, page, where, "press About, release Next");

    // Press on the background, move onto Next and release: a drag, no button acts.
    const POINT start{centreOf(IDC_INTRO_NEXT_NORMAL).x, cancelArea.top - 60};
    const POINT end = centreOf(IDC_INTRO_NEXT_NORMAL);
    PressMoveRelease(start, end);
    const RECT moved = Offset(where, end.x - start.x, end.y - start.y);
    ExpectNothingHappened(run, wizard, page, moved, "press background, release on Next");

    // And a real click still works.
    const POINT cancelNow = centreOf(IDC_INTRO_CANCEL_NORMAL);
    MoveMouse(cancelNow.x, cancelNow.y);
    WaitUntil([&] { return Shown(page, IDC_INTRO_CANCEL_HIGHLIGHT); }, 1500);
    MouseDown();
    MouseUp();
    HWND box = ExpectQuitQuestion(run, wizard.pid(), page);
    if (box)
        AnswerMessageBox(box, IDNO);
    ExpectNothingHappened(run, wizard, page, moved, "Cancel, then No");
    QuitByCancel(run, wizard, page);
}

SCENARIO(drag_minimise_and_restore_keep_the_page)
{
    Wizard wizard(run.exe, run.checks);
    HWND page = StartAtIntroduction(run, wizard);
    if (!page)
        return;
    const RECT before = WindowRect(page);
    const POINT from = BackgroundPoint(page);
    PressMoveRelease(from, {from.x + 80, from.y + 50});
    WaitUntil([&] { return WindowRect(page).left != before.left; }, 2000);
    const RECT dragged = WindowRect(page);
    const RECT expected = Offset(before, 80, 50);
    run.checks.Expect(EqualRect(&dragged, &expected) != FALSE, "drag by (80,50) put the page at (%ld,%ld), expected (%ld,%ld)",
                      dragged.left, dragged.top, expected.left, expected.top);

    if (!ClickGlyph(run, page, IDC_GLYPH_MINIMISE))
        return;
    run.checks.Expect(WaitUntil([&] { return IsIconic(page) != FALSE; }, 3000), "the minimise glyph did not minimise");
    Settle(300);
    run.checks.Expect(wizard.Running(), "minimising ended the wizard");
    // What a click on the taskbar button sends.
    PostMessageA(page, WM_SYSCOMMAND, SC_RESTORE, 0);
    run.checks.Expect(WaitUntil([&] { return !IsIconic(page) && IsWindowVisible(page); }, 3000),
                      "the page did not come back");
    Settle(300);
    const RECT restored = WindowRect(page);
    run.checks.Expect(EqualRect(&restored, &dragged) != FALSE, "restored at (%ld,%ld)-(%ld,%ld), was (%ld,%ld)-(%ld,%ld)",
                      restored.left, restored.top, restored.right, restored.bottom, dragged.left, dragged.top,
                      dragged.right, dragged.bottom);
    for (const ButtonIds& button : kIntroButtons)
        run.checks.Expect(Shown(page, button.normal) != Shown(page, button.highlight),
                          "%s shows both or neither image after restore", button.name);
    QuitByCancel(run, wizard, page);
}

SCENARIO(f4_asks_once_and_no_keeps_the_page)
{
    Wizard wizard(run.exe, run.checks);
    HWND page = StartAtIntroduction(run, wizard);
    if (!page)
        return;
    const RECT where = WindowRect(page);
    MoveMouse(5, 5);

    struct Press {
        const char* name;
        bool withAlt;
        DWORD holdMs;
        DWORD repeatMs;
    };
    const Press presses[] = {
        {"F4", false, 100, 0},
        {"Alt+F4", true, 100, 0},
        {"F4 held with auto-repeat", false, 900, 40},
    };
    for (const Press& press : presses) {
        run.checks.Note("%s", press.name);
        if (press.withAlt)
            KeyDown(VK_MENU);
        KeyPress(VK_F4, press.holdMs, press.repeatMs);
        if (press.withAlt)
            KeyUp(VK_MENU);
        // The question from F4 on INTRODUCTION has no owner.
        HWND box = ExpectQuitQuestion(run, wizard.pid(), nullptr);
        if (!box)
            return;
        Settle(400);
        run.checks.Expect(CountVisibleWindows(wizard.pid(), "#32770", kQuitCaption) == 1, "%s asked more than once",
                          press.name);
        AnswerMessageBox(box, IDNO);
        ExpectNothingHappened(run, wizard, page, where, press.name);
    }
    KeyPress(VK_F4);
    ConfirmQuitQuestion(run, wizard);
}

SCENARIO(escape_and_enter_do_nothing)
{
    Wizard wizard(run.exe, run.checks);
    HWND page = StartAtIntroduction(run, wizard);
    if (!page)
        return;
    const RECT where = WindowRect(page);
    for (WORD key : {WORD{VK_ESCAPE}, WORD{VK_RETURN}, WORD{VK_SPACE}}) {
        KeyPress(key, 50);
        ExpectNothingHappened(run, wizard, page, where, key == VK_ESCAPE ? "Escape" : key == VK_RETURN ? "Enter" : "Space");
    }
    QuitByCancel(run, wizard, page);
}

SCENARIO(every_way_out_exits_with_code_zero)
{
    struct WayOut {
        const char* name;
        void (*leave)(Run&, Wizard&, HWND);
    };
    const WayOut ways[] = {
        {"Cancel, Yes", [](Run& r, Wizard& w, HWND p) { QuitByCancel(r, w, p); }},
        {"close glyph, Yes",
         [](Run& r, Wizard& w, HWND p) {
             if (ClickGlyph(r, p, IDC_GLYPH_CLOSE))
                 ConfirmQuitQuestion(r, w);
         }},
        {"F4, Yes",
         [](Run& r, Wizard& w, HWND) {
             KeyPress(VK_F4);
             ConfirmQuitQuestion(r, w);
         }},
        {"Next, then Cancel and Yes on CONFIGURATION",
         [](Run& r, Wizard& w, HWND p) {
             if (!ClickButton(r, p, IDC_INTRO_NEXT_NORMAL, IDC_INTRO_NEXT_HIGHLIGHT))
                 return;
             HWND config = nullptr;
             WaitUntil([&] { return (config = FindPage(w.pid())) != nullptr && GetDlgItem(config, IDC_CONFIG_MODEL_LIST); },
                       kPageTimeoutMs);
             if (r.checks.Expect(config && GetDlgItem(config, IDC_CONFIG_MODEL_LIST), "Next did not open CONFIGURATION") &&
                 ClickButton(r, config, IDC_CONFIG_CANCEL_NORMAL, IDC_CONFIG_CANCEL_HIGHLIGHT))
                 ConfirmQuitQuestion(r, w);
         }},
    };
    for (const WayOut& way : ways) {
        run.checks.Note("%s", way.name);
        Wizard wizard(run.exe, run.checks);
        HWND page = StartAtIntroduction(run, wizard);
        if (!page)
            return;
        way.leave(run, wizard, page);
    }
}
