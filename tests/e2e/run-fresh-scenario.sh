#!/bin/bash
# Runs one end-to-end scenario that changes the system (spooler, default printer)
# in its own copy of the test prefix, on its own Xvfb display, so that it shares
# nothing with the other tests and may run beside them.
# Usage: run-fresh-scenario.sh <build-dir> <scenario>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tests=$(cd "$here/.." && pwd)
tools=$(cd "$tests/../tools" && pwd)
build=$(cd "$1" && pwd)
scenario=$2
out="$build/e2e-out/$scenario"
rm -rf "$out"
mkdir -p "$out"

prefix=$("$tools/fresh-prefix.sh" "$build" "e2e-$scenario")
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=""
finish() {
  local status=$?
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  if [ "$status" -eq 0 ]; then
    rm -rf "$prefix"
  else
    echo "kept for a look: $prefix and $out" >&2
  fi
}
trap finish EXIT

. "$tools/display-lib.sh"
start_xvfb "$out/display.num"
xvfb_pid=$XVFB_PID
start_wineserver
prepare_test_prefix "$build"
wine_quiet() { timeout 60 wine "$@" </dev/null >>"$out/wine.log" 2>&1; }
# Printing on LPT1: to LPT3: goes to files of the scenario.
for port in 1 2 3; do
  # Through a pipe: the file is complete, and nobody holds it, once the job ends.
  # (Not "lpt1.ps": Windows reads any LPTn name as the device itself.)
  wine_quiet reg add 'HKCU\Software\Wine\Printing\Spooler' /v "LPT$port:" /d "|cat > '$out/port$port.ps'" /f
done

# Stand-ins for the system's own universal-driver files, which a Windows system has
# installed and a fresh Wine prefix has not.
drivers="$prefix/drive_c/windows/system32/spool/drivers"
mkdir -p "$drivers/w32x86/3"
cp "$tests/library/fixtures/system/UNIDRV.DLL" "$tests/library/fixtures/system/UNIDRVUI.DLL" "$drivers/w32x86/3/"
cp "$tests/library/fixtures/system/UNIDRV.HLP" "$drivers/w32x86/"
# A PostScript description, so that Wine's printer driver can render a test page.
mkdir -p "$prefix/drive_c/fixtures"
cp "$tests/testpage/fixtures/"*.ppd "$prefix/drive_c/fixtures/"

timeout 240 wine "$build/e2e_driver.exe" "$scenario" "$build/Corvane.exe" "$out" </dev/null >"$out/driver.log" 2>&1 ||
  { cat "$out/driver.log"; exit 1; }
cat "$out/driver.log"
