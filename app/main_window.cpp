// Program entry and the hidden main window that owns the first page.
#include <windows.h>
#include <commctrl.h>

#include "app/app_context.h"
#include "app/message_boxes.h"
#include "pages/pages.h"

namespace {

constexpr char kClassName[] = "Corvane";
constexpr char kMainTitle[] = "Driver Installation Utility";
// Caption, system menu, sizing border and minimise box; never visible.
constexpr DWORD kMainStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

void OnMainCreate(HWND hwnd, const CREATESTRUCTA* create)
{
    CreateOffscreen(hwnd);
    g_app.hInstance = create->hInstance;
    g_app.hbmLogo = LoadBitmapA(g_app.hInstance, "KYVLOGO");
    // The whole wizard runs inside this call: every page nests in the one before.
    DialogBoxParamA(g_app.hInstance, "INTRODUCTION", hwnd, IntroDlgProc, 0);
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        OnMainCreate(hwnd, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

bool RegisterMainClass(HINSTANCE instance)
{
    WNDCLASSA wc{};
    wc.style = 0;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszMenuName = kClassName;  // no such menu resource: the window has no menu
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // The command line and the show command are ignored: the main window is never shown.
    if (!RegisterMainClass(instance)) {
        ShowMessageBox(nullptr, boxes::kRegisterFailed);
        return 0;
    }

    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    g_app.cxScreen = GetSystemMetrics(SM_CXSCREEN);
    g_app.cyScreen = GetSystemMetrics(SM_CYSCREEN);

    // Returns only when the wizard is over; the last page has posted the quit message.
    HWND mainWindow = CreateWindowExA(0, kClassName, kMainTitle, kMainStyle, g_app.cxScreen / 4, g_app.cyScreen / 4,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    g_app.hInstance = instance;

    HACCEL accelerators = LoadAcceleratorsA(instance, "IDR_ACCELERATOR1");  // none: no key is translated
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        if (!TranslateAcceleratorA(mainWindow, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
