#!/bin/bash
# The program and its library must load on the oldest systems they install for:
# they import only system DLLs (and the program the library), and none of the
# kernel32 functions that the static C++ runtime brings in from later systems.
# Usage: check-imports.sh <objdump> <module>...
set -euo pipefail
objdump=$1
shift
status=0
# Functions of Windows XP and later that a runtime pulls in unnoticed.
late='^(GetTickCount64|AddVectoredExceptionHandler|RemoveVectoredExceptionHandler|InitializeSRWLock|AcquireSRWLock.*|ReleaseSRWLock.*|InitializeConditionVariable|SleepConditionVariable.*|WakeConditionVariable|WakeAllConditionVariable|InitOnce.*|FlsAlloc|FlsFree|FlsGetValue|FlsSetValue|GetCurrentProcessorNumber|GetSystemTimePreciseAsFileTime)$'
allowed_dlls='^(KERNEL32|USER32|GDI32|COMCTL32|WINSPOOL|SETUPAPI|SHELL32|ADVAPI32|msvcrt|Corvane)\.(dll|DLL|drv|DRV)$'
for module in "$@"; do
  dlls=$("$objdump" -p "$module" | sed -n 's/^\s*DLL Name: //p')
  functions=$("$objdump" -p "$module" | awk '/DLL Name:/ {inside=1; next} inside && NF >= 3 && $1 ~ /^[0-9a-f]+$/ {print $3}')
  while read -r dll; do
    [[ "$dll" =~ $allowed_dlls ]] || { echo "FAIL: $(basename "$module") imports $dll"; status=1; }
  done <<<"$dlls"
  while read -r function; do
    [[ -n "$function" && "$function" =~ $late ]] && { echo "FAIL: $(basename "$module") imports $function"; status=1; }
  done <<<"$functions"
  [ -n "$functions" ] || { echo "FAIL: no imports read from $module"; status=1; }
done
exit "$status"
