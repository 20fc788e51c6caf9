#!/bin/bash
# Runs a Windows program of the build tree under Wine in the tree's prefix.
# CMake uses it as the emulator for the cross-built tests.
# Usage: tools/wine-exec.sh <build-dir> <program.exe> [args...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh" "$1"
shift
exec wine "$@"
