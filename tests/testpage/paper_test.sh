#!/bin/bash
# Prints one test page under Wine into a file and checks it on paper.
# Usage: paper_test.sh <build-dir> <case> full|receipt <fixture.ppd> <model> <code> [checker options...]
#
# Each case gets its own copy of a prepared prefix with its own wineserver, so cases
# run in parallel. The printer's port LPT1: is mapped to a Unix file; the driver's
# data file is the fixture's PostScript printer description, so Wine's PostScript
# driver renders the job. The output stays in <build>/testpage-paper/<case>/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
case_name=$2
layout=$3
fixture=$4
model=$5
code=$6
shift 6

. "$root/tools/wine-env.sh" "$build"
# Printing needs no display; keeping off the shared one leaves it to the UI tests.
unset DISPLAY

out="$build/testpage-paper/$case_name"
rm -rf "$out"
mkdir -p "$out"
# A copy of the tree's template prefix, for this case alone.
prefix=$("$root/tools/fresh-prefix.sh" "$build" "testpage-$case_name")
export WINEPREFIX="$prefix"

stop_server() { timeout 20 wineserver -k >/dev/null 2>&1 || true; }
trap stop_server EXIT
# Persistent server with stdio on /dev/null: Wine's services inherit the first
# process's output, and a pipe held by them would stall the test.
(setsid wineserver -p >/dev/null 2>&1 </dev/null &)

winpath() { printf 'Z:%s' "${1//\//\\}"; }
run_wine() {
  timeout 60 wine "$@" </dev/null >>"$out/wine.log" 2>&1 || { cat "$out/wine.log" >&2; exit 1; }
}

printer="Kyv Test Printer"
[ "$layout" = receipt ] && printer="Front Desk Receipt"
cp "$fixture" "$out/"
fixture_copy="$out/$(basename "$fixture")"

run_wine reg add 'HKCU\Software\Wine\Printing\Spooler' /v 'LPT1:' /d "$out/page.ps" /f
run_wine "$build/print_probe.exe" install "$printer" "Kyv Test Driver" "$(winpath "$fixture_copy")"
started=$(date +%s)
run_wine "$build/print_probe.exe" print "$layout" "$model" "$code" "$printer" "$(winpath "$out/report.txt")"
stop_server
trap - EXIT

python3 "$here/check_page.py" --layout "$layout" --ps "$out/page.ps" --report "$out/report.txt" \
  --ppd "$fixture_copy" --model "$model" --code "$code" --printer "$printer" --port 'LPT1:' \
  --started "$started" --out "$out" "$@"

# Passed: the prefix copy is no longer needed, the printed output stays.
rm -rf "$prefix"
