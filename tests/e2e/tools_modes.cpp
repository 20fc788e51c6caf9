// Modes of the driver that are not tests: a screenshot of the first page for the
// README's run command, and the start-up benchmark.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tools_modes.h"
#include "wizard_pages.h"
#include "res/resource.h"

namespace e2e {

int ScreenshotMode(const std::string& exe, const std::string& bmpPath)
{
    Run run;
    run.exe = exe;
    Wizard wizard(exe, run.checks);
    HWND page = StartAtIntroduction(run, wizard);
    if (!page)
        return 1;
    MoveMouse(2, 2);
    Settle(300);
    SaveScreenArea(WindowRect(page), bmpPath);
    if (ClickButton(run, page, IDC_INTRO_CANCEL_NORMAL, IDC_INTRO_CANCEL_HIGHLIGHT))
        ConfirmQuitQuestion(run, wizard);
    return run.checks.failures() == 0 ? 0 : 1;
}

namespace {

// Milliseconds from CreateProcess until a visible window with this title exists.
double TimeToVisible(const std::string& exe, const char* title)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + exe + "\"";
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return -1;
    double elapsed = -1;
    for (int i = 0; i < 20000; ++i) {
        if (FindVisibleWindow(info.dwProcessId, title, nullptr)) {
            QueryPerformanceCounter(&now);
            elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
            break;
        }
        Sleep(1);
    }
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    Sleep(200);
    return elapsed;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int BenchMode(int runs, const std::string& corvane, const std::string& baseline)
{
    std::vector<double> wizardTimes, baselineTimes;
    for (int i = 0; i < runs; ++i) {
        // Interleaved, so both see the same machine load over the run.
        const double w = TimeToVisible(corvane, kWizardTitle);
        const double b = TimeToVisible(baseline, "Baseline Dialog");
        if (w < 0 || b < 0) {
            std::printf("run %d: a window never appeared\n", i + 1);
            return 1;
        }
        std::printf("run %2d: Corvane %7.1f ms   baseline %7.1f ms\n", i + 1, w, b);
        wizardTimes.push_back(w);
        baselineTimes.push_back(b);
    }
    const double wm = Median(wizardTimes);
    const double bm = Median(baselineTimes);
    std::printf("median: Corvane %.1f ms, baseline %.1f ms, ratio %.3f (target <= 1.15)\n", wm, bm, wm / bm);
    return 0;
}

}  // namespace e2e
