#include "install/trace.h"

#include <windows.h>

namespace trace {
namespace {
Sink g_sink = nullptr;
}

void Emit(const char* line)
{
    OutputDebugStringA(line);
    if (g_sink)
        g_sink(line);
}

void SetSink(Sink sink) { g_sink = sink; }

}  // namespace trace
