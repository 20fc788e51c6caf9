// The message box the installation steps show, replaceable so tests can see the
// boxes without anyone having to answer them.
#pragma once

#include <windows.h>

using MessageBoxFunction = int(WINAPI*)(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);

extern MessageBoxFunction g_pfnMessageBox;
