// Dialog and control procedures of the wizard pages.
#pragma once

#include <windows.h>

INT_PTR CALLBACK IntroDlgProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK IntroButtonProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDlgProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK AboutButtonProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);
