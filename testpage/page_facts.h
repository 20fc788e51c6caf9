// Reads what the test pages report about this machine, before anything is drawn.
#pragma once

#include "testpage/page_content.h"

namespace testpage {

// Local time, computer name, printer driver directory and the system's display
// name (from the library, through GetOSName). Every fact that cannot be read is left
// empty. printerName and port are kept as given; null becomes "".
void GatherFacts(PageFacts& facts, const char* printerName, const char* port);

}  // namespace testpage
