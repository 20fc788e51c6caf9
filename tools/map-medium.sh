#!/bin/bash
# Maps the build tree's installation medium (<build-dir>/medium) as a drive of the
# tree's Wine prefix, as the CD would be on Windows, and prints the Windows path of the
# wizard on it: the wizard finds the driver files from its own drive letter.
# Usage: tools/map-medium.sh <build-dir> [letter]    (letter defaults to d)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -ge 1 ] && [ $# -le 2 ] || { echo "usage: $0 <build-dir> [letter]" >&2; exit 2; }
. "$here/wine-env.sh" "$1"

letter=$(printf '%s' "${2:-d}" | tr '[:upper:]' '[:lower:]')
# c: is the system drive and z: Wine's view of the Unix root; both must stay.
if [[ ! $letter =~ ^[abd-y]$ ]]; then
  echo "map-medium.sh: '${2:-}' is not a drive letter other than C or Z" >&2
  exit 2
fi
medium="$CORVANE_BUILD/medium"
[ -f "$medium/Corvane.exe" ] || { echo "map-medium.sh: no medium in $medium (build first)" >&2; exit 1; }
devices="$WINEPREFIX/dosdevices"
[ -d "$devices" ] || { echo "map-medium.sh: no Wine prefix in $WINEPREFIX" >&2; exit 1; }

# A "<letter>::" link names a raw device for the drive; the medium is a plain folder.
rm -f "$devices/$letter:" "$devices/$letter::"
ln -s "$medium" "$devices/$letter:"
printf '%s:\\Corvane.exe\n' "$(printf '%s' "$letter" | tr '[:lower:]' '[:upper:]')"
