#!/bin/bash
# Start-up benchmark: time from launch until the first page is visible, for
# Corvane.exe and for a one-dialog baseline program of the same toolchain, in the
# same prefix, interleaved; prints the median ratio.
# Usage: tools/bench-startup.sh [runs]   (default 9)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_BUILD_DIR:-$root/build}
runs=${1:-9}

bash "$root/tools/build.sh"
trap 'bash "$root/tools/test-session.sh" stop "$build"' EXIT
bash "$root/tools/test-session.sh" start "$build"
. "$root/tools/wine-env.sh" "$build"
timeout 600 wine "$build/e2e_driver.exe" --bench "$runs" "$build/Corvane.exe" "$build/minimal_dialog.exe" </dev/null
