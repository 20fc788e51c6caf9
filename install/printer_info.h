// Filling the printer records that the companion library installs from.
#pragma once

#include "install/corvane_api.h"

// Where the driver files of a model lie on the medium: the first component of the
// program's path, "\Windows\", the model name, "\", the system's short name, "\".
// Cut at 259 characters and always terminated.
void ComposeSourceDirectory(const char* modulePath, const char* modelName, const char* shortName,
                            char (&directory)[CORVANE_PATH_CHARS]);

// Fill a zero-filled record for catalogue row `model` (0 to 2). The caller then adds
// the printer name, the driver name and the default bit. A model number outside the
// catalogue leaves the record untouched.
void GetPrinterInfo(int model, _PRINTERINFO_NTA* info, const OSVERSION* version);
void GetPrinterInfo(int model, _PRINTERINFO_95* info);
