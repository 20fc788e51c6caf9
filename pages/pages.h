// Dialog and control procedures of the wizard pages.
#pragma once

#include <windows.h>

INT_PTR CALLBACK IntroDlgProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK IntroButtonProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDlgProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK AboutButtonProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);

INT_PTR CALLBACK ConfigDlgProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ConfigButtonProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RegistrationDlgProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK RegistrationButtonProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ConclusionDlgProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ConclusionButtonProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);

// The configuration page's own controls, kept from its start while it lives.
struct ConfigPageState {
    HWND hBanner;
    HWND hDefaultLabel;
    HWND hTestPageLabel;
    HWND hDefaultCheck;
    HWND hTestPageCheck;
    HWND hPortCombo;
};

extern ConfigPageState g_configPage;

// Busy form: the banner over the check boxes, their labels and the port list,
// painted at once because the installation blocks the page.
void ShowConfigBusyForm();
// Back to the input form.
void RestoreConfigPage();

// Opening the pages that follow one another.
void OpenConfigurationPage(HWND owner);
void OpenRegistrationPage(HWND owner);
void OpenConclusionPage(HWND owner);
