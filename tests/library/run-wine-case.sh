#!/bin/bash
# Runs one case of the companion library under Wine in its own copy of the test
# prefix, so that cases which install drivers and printers share nothing.
# Usage: run-wine-case.sh <build-dir> <case>
#   os_<version>   GetOperatingSystemVersionA under Wine's emulation of <version>
#   <probe case>   a case of library_probe.exe (nt_install, malformed, w95_install, ...)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tools=$(cd "$here/../../tools" && pwd)
build=$(cd "$1" && pwd)
case_name=$2
probe="$build/library_probe.exe"
out="$build/library-out/$case_name"
rm -rf "$out"
mkdir -p "$out"

# The copy is the heaviest step: it yields to the tests beside it, some of which
# time what a person sees.
prefix=$(nice -n 10 ionice -c 2 -n 7 "$tools/fresh-prefix.sh" "$build" "library-$case_name")
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Nothing here shows a window.
unset DISPLAY

finish() {
  local status=$?
  WINEPREFIX="$prefix" timeout 30 wineserver -k >/dev/null 2>&1 || true
  if [ "$status" -eq 0 ]; then
    rm -rf "$prefix"
  else
    echo "kept for a look: $prefix and $out" >&2
  fi
}
trap finish EXIT

# Every wine process writes to files: the first one's output is inherited by Wine's
# services, and a pipe held by them would stall the caller.
wine_quiet() {
  timeout 60 wine "$@" </dev/null >>"$out/wine.log" 2>&1
}

run_probe() {
  local status=0
  WINEDEBUG=-all,+debugstr timeout 60 wine "$probe" "$@" </dev/null >"$out/probe.out" 2>"$out/probe.err" ||
    status=$?
  cat "$out/probe.out"
  return "$status"
}

# The version of Wine's emulation for the probe alone.
emulate() {
  wine_quiet reg add 'HKCU\Software\Wine\AppDefaults\library_probe.exe' /v Version /d "$1" /f
}

# The test's medium, and stand-ins for the system's own universal-driver files where
# a Windows system keeps them: the DLLs installed in the version folders (NT 4.0's
# is 2, later systems' 3; the 95 family's 0), the help file staged in the driver
# directories. A fresh Wine prefix has none of them.
# Usage: lay_out_fixtures [nt-version-folder]
lay_out_fixtures() {
  local drivers="$prefix/drive_c/windows/system32/spool/drivers"
  local nt_version=${1:-3}
  mkdir -p "$prefix/drive_c/medium" "$drivers/w32x86/$nt_version" "$drivers/win40/0"
  cp "$here/fixtures/medium/"* "$prefix/drive_c/medium/"
  cp "$here/fixtures/system/UNIDRV.DLL" "$here/fixtures/system/UNIDRVUI.DLL" "$drivers/w32x86/$nt_version/"
  cp "$here/fixtures/system/UNIDRV.DLL" "$here/fixtures/system/UNIDRVUI.DLL" "$drivers/win40/0/"
  cp "$here/fixtures/system/UNIDRV.HLP" "$drivers/w32x86/"
  cp "$here/fixtures/system/UNIDRV.HLP" "$drivers/win40/"
}

# Each line must be one of the library's traces, exactly.
expect_traces() {
  local line
  for line in "$@"; do
    grep -qF "OutputDebugStringA \"Corvane: $line\"" "$out/probe.err" ||
      { echo "FAIL: no trace 'Corvane: $line'" >&2; return 1; }
  done
}

# Version emulated -> system code and result.
declare -A version_code=(
  [win95]="1 0" [win98]="2 0" [winme]="3 0" [nt40]="4 0" [win2k]="5 0" [win2003]="6 0"
  [winxp]="7 0" [vista]="9 0" [win7]="10 0" [win8]="12 0" [win10]="12 0"
  [nt351]="0 0x20000002"
)

case "$case_name" in
os_*)
  version=${case_name#os_}
  [ -n "${version_code[$version]:-}" ] || { echo "no expectation for $version" >&2; exit 2; }
  emulate "$version"
  read -r code result <<<"${version_code[$version]}"
  run_probe version "$code" "$result"
  expect_traces "Enter GetOperatingSystemVersionA" "Exit GetOperatingSystemVersionA $((result))"
  ;;
w95_install)
  lay_out_fixtures
  emulate win98
  run_probe "$case_name" 'C:\medium'
  expect_traces "Enter InstallPrinterDriverA (95)" "copied QL620.GPD" "Exit InstallPrinterDriverA 0" \
    "Exit InstallPrinterDriverA 32" "Enter AddPrinterToPrinterListA" "Exit AddPrinterToPrinterListA 0"
  ;;
w95_gpd_count)
  lay_out_fixtures
  emulate win98
  run_probe "$case_name" 'C:\medium'
  ;;
w95_nt_spooler)
  lay_out_fixtures
  run_probe "$case_name" 'C:\medium'
  ;;
nt_install)
  lay_out_fixtures
  run_probe "$case_name" 'C:\medium'
  expect_traces "Enter InstallPrinterDriverA (NT)" "staged UNIDRV.DLL" "copied QL620.GPD" \
    "added driver Kyv QL 620 (native, version 3)" "Exit InstallPrinterDriverA 0"
  ;;
nt_install_nt40)
  # NT 4.0 installs version-2 drivers and keeps the system's files in w32x86\2.
  # Wine's spooler files every driver as version 3 in w32x86\3 whatever cVersion
  # says, so the probe's checks are those of nt_install, and the version the library
  # asked for shows in its trace only.
  lay_out_fixtures 2
  emulate nt40
  run_probe nt_install 'C:\medium'
  expect_traces "staged UNIDRV.DLL" "staged UNIDRVUI.DLL" "added driver Kyv QL 620 (native, version 2)" \
    "Exit InstallPrinterDriverA 0"
  ;;
nt_again | nt_missing_file | malformed)
  lay_out_fixtures
  run_probe "$case_name" 'C:\medium'
  ;;
*)
  echo "unknown case $case_name" >&2
  exit 2
  ;;
esac
