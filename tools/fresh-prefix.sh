#!/bin/bash
# Prints the path of a fresh Wine prefix for one test case: <build>/prefixes/<name>, a
# copy of the build tree's template prefix <build>/prefix-template (made by
# make-prefix.sh together with the tree's prefix). A tree whose prefix predates the
# template gets one here: a copy of <build>/prefix while no wineserver serves it,
# otherwise a new prefix made the same way as the tree's.
# Usage: tools/fresh-prefix.sh <build-dir> <name>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
name=$2
template="$build/prefix-template"
copy="$build/prefixes/$name"

# A wineserver works in a directory named after its prefix's device and inode.
server_runs_for() {
  [ -d "$1" ] || return 1
  local suffix
  suffix=$(printf '/server-%x-%x' "$(stat -c %d "$1")" "$(stat -c %i "$1")")
  local process
  for process in /proc/[0-9]*; do
    case "$(cat "$process/comm" 2>/dev/null)" in wineserver*) ;; *) continue ;; esac
    case "$(readlink "$process/cwd" 2>/dev/null)" in *"$suffix") return 0 ;; esac
  done
  return 1
}

make_template() {
  # Cases of one tree start in parallel: one of them makes the template.
  exec 9>"$build/prefix-template.lock"
  flock 9
  [ -d "$template" ] && return 0
  rm -rf "$template.new"
  if [ -f "$build/prefix/.corvane-prefix-ready" ] && ! server_runs_for "$build/prefix"; then
    cp -a "$build/prefix" "$template.new"
  else
    local work="$build/prefix-template.work"
    rm -rf "$work"
    mkdir -p "$work"
    CORVANE_NO_PREFIX_TEMPLATE=1 "$here/make-prefix.sh" "$work" >&2
    mv "$work/prefix" "$template.new"
    rm -rf "$work"
  fi
  rm -f "$template.new/.corvane-prefix-ready"
  mv "$template.new" "$template"
}

[ -d "$template" ] || make_template
if server_runs_for "$copy"; then
  WINEPREFIX="$copy" timeout 30 wineserver -k >/dev/null 2>&1 || true
fi
rm -rf "$copy"
mkdir -p "$build/prefixes"
cp -a --reflink=auto "$template" "$copy"
echo "$copy"
