#include "install/prompt.h"

MessageBoxFunction g_pfnMessageBox = MessageBoxA;
