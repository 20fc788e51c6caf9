#!/bin/bash
# Renders the README pictures of the two test pages from what the paper tests printed
# under Wine (run `ctest -R testpage.paper` first): the full page on the 150-dpi A4
# printer, and the receipt page on the 80 mm roll, cut half an inch below its last line.
# Usage: tests/testpage/make-pictures.sh <build-dir>
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
paper="$(cd "$1" && pwd)/testpage-paper"
gs_png() { gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -dTextAlphaBits=4 -dGraphicsAlphaBits=4 "$@"; }

# page-sized.ps: the printed job with Wine's zero font matrix given its real size.
gs_png -r100 -sOutputFile="$root/docs/testpage-full.png.tmp" "$paper/full_a4_draft_win7/page-sized.ps"
gs_png -r150 -sOutputFile="$root/docs/testpage-receipt.png.tmp" "$paper/receipt_xp/page-sized.ps"

# The roll is cut below the last line: the lowest ink plus half an inch.
last=$(convert "$root/docs/testpage-receipt.png.tmp" -threshold 50% -negate -trim -format '%[fx:page.y+h]' info:)
convert "$root/docs/testpage-receipt.png.tmp" -crop "x$((last + 75))+0+0" +repage \
  -bordercolor '#BBBBBB' -border 1 -strip "$root/docs/testpage-receipt.png"
# A hairline shows the paper's edge against a white page.
convert "$root/docs/testpage-full.png.tmp" -bordercolor '#BBBBBB' -border 1 -strip "$root/docs/testpage-full.png"
rm -f "$root/docs/testpage-full.png.tmp" "$root/docs/testpage-receipt.png.tmp"
echo "$root/docs/testpage-full.png"
echo "$root/docs/testpage-receipt.png"
