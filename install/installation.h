// The Install action of the configuration page.
#pragma once

#include <windows.h>

void RunInstallation(HWND page);
