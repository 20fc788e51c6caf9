#!/bin/bash
# Draws printer.ico, the label-printer icon in ICONLIB.dll: a grey printer body with a
# white label coming out of its top and Kyv's blue status light. The build does not
# run this; the icon is committed. Run by hand: bash medium/resources/make-printer-icon.sh
# Needs ImageMagick 6 (convert) and python3.
set -euo pipefail
cd "$(dirname "$0")/../.."
convert -size 32x32 xc:'#C0C0C0' \
  -fill '#FFFFFF' -stroke '#404040' -draw 'rectangle 8,2 23,14' \
  -stroke none -fill '#1F4E79' -draw 'rectangle 10,5 21,6' -draw 'rectangle 10,9 17,10' \
  -fill '#505050' -stroke '#202020' -draw 'roundrectangle 2,13 29,28 3,3' \
  -fill '#202020' -stroke none -draw 'rectangle 7,15 24,16' \
  -fill '#1F4E79' -draw 'rectangle 22,22 26,24' \
  -fill '#C0C0C0' -draw 'rectangle 0,29 31,31' \
  -depth 8 rgb:- | python3 tools/make-icon.py 32 32 medium/resources/printer.ico
