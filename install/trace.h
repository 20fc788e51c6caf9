// Progress traces of the installation steps, sent as debug output. Tests may add a
// sink that receives the same lines.
#pragma once

namespace trace {

using Sink = void (*)(const char* line);

void Emit(const char* line);
void SetSink(Sink sink);

}  // namespace trace
