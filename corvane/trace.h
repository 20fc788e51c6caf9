// Debug traces of the library's steps: one short OutputDebugStringA line each,
// prefixed "Corvane: " (debuggers and Wine's +debugstr cut long lines).
#pragma once

namespace corvane {

void Trace(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));

}  // namespace corvane
