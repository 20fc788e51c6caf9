#!/bin/bash
# Creates the build tree's Wine prefix once, without Mono or Gecko prompts.
# Usage: tools/make-prefix.sh <build-dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh" "$1"
marker="$WINEPREFIX/.corvane-prefix-ready"
[ -f "$marker" ] && exit 0

rm -rf "$WINEPREFIX"
# No display needed: wineboot runs headless.
env -u DISPLAY wineboot -i >/dev/null 2>&1
# Without a window manager, hiding a managed window stalls its thread for 2 s:
# let Wine draw and place every window itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# Windows' Arial makes a 10-point dialog unit 7 x 16 pixels, which is what the page
# artwork is drawn for. DejaVu Sans Condensed (7 x 15) is the closest font Debian has;
# the default substitute (8 x 15) would make every page 87 pixels wider than its artwork.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'DejaVu Sans Condensed' /f >/dev/null 2>&1
wineserver -w
# Tests that change the system run in copies of this untouched prefix
# (tools/fresh-prefix.sh).
if [ -z "${CORVANE_NO_PREFIX_TEMPLATE:-}" ]; then
  rm -rf "$CORVANE_BUILD/prefix-template"
  cp -a "$WINEPREFIX" "$CORVANE_BUILD/prefix-template"
fi
touch "$marker"
