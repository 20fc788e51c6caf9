#!/bin/bash
# Builds Corvane and runs the wizard under Wine. With a desktop (DISPLAY set) you
# see it and use it; without one it runs on a private Xvfb, saves a screenshot of the
# first page and ends the wizard by Cancel, Yes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_BUILD_DIR:-$root/build}

bash "$root/tools/build.sh"
bash "$root/tools/make-prefix.sh" "$build"
. "$root/tools/wine-env.sh" "$build"
# The wizard runs from the medium mapped as a drive, as from the CD: it finds the
# driver files from the drive letter of its own path.
exe=$(bash "$root/tools/map-medium.sh" "$build")

if [ -n "${DISPLAY:-}" ]; then
  wine "$exe" >/dev/null 2>&1 || true
  timeout 30 wineserver -w || wineserver -k
  exit 0
fi

shot="$build/introduction.png"
xvfb_pid=""
cleanup() {
  timeout 20 wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -f "$build/.run-display"
}
trap cleanup EXIT
. "$root/tools/display-lib.sh"
start_xvfb "$build/.run-display"
xvfb_pid=$XVFB_PID
start_wineserver
timeout 120 wine "$build/e2e_driver.exe" --screenshot "$exe" "$build/introduction.bmp" </dev/null \
  >"$build/run.log" 2>&1 || { cat "$build/run.log" >&2; exit 1; }
convert "$build/introduction.bmp" "$shot"
rm -f "$build/introduction.bmp"
echo "No display: the wizard ran under Xvfb. Screenshot of its first page: $shot"
