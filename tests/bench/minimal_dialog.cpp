// The start-up baseline: a minimal program of the same toolchain that shows one
// dialog box from a template and ends when it is closed.
#include <windows.h>

namespace {

INT_PTR CALLBACK BaselineDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        SetWindowTextA(dialog, "Baseline Dialog");
        return TRUE;
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return static_cast<int>(DialogBoxParamA(instance, "BASELINE", nullptr, BaselineDlgProc, 0));
}
