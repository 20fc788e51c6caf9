#!/bin/bash
# Installs what is missing, then configures and builds the tree in build/ (or $CORVANE_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_BUILD_DIR:-$root/build}

bash "$root/tools/install-deps.sh"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >"$build.configure.log" 2>&1 ||
    { cat "$build.configure.log" >&2; exit 1; }
  rm -f "$build.configure.log"
fi
# Quiet on success; the whole log on failure.
cmake --build "$build" >"$build/build.log" 2>&1 || { cat "$build/build.log" >&2; exit 1; }
