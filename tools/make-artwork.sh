#!/bin/bash
# Regenerates every bitmap and the icon in res/bitmaps/ for Kyv Printer Corvane.
# The build does not run this; its outputs are committed. Run by hand:
#   bash tools/make-artwork.sh
# Needs ImageMagick 6 (convert, identify), python3 and the Liberation fonts.
set -euo pipefail

cd "$(dirname "$0")/.."
OUT=res/bitmaps
mkdir -p "$OUT"

# ---------------------------------------------------------------- fonts
# Explicit paths so the look does not depend on fontconfig; DejaVu only if Liberation is absent.
pick_font() {
  local f
  for f in "$@"; do
    [ -f "$f" ] && { echo "$f"; return; }
  done
  echo "make-artwork: none of these fonts is installed: $*" >&2
  exit 1
}
REG=$(pick_font /usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf \
                /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf)
BOLD=$(pick_font /usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf \
                 /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf)

# ---------------------------------------------------------------- palette
TITLE_BG='#1F4E79'     # title bar, headings, logo
STEPS_BG='#E8EEF5'     # left step panel
STEP_ROW='#D5E1EE'     # behind the current step, so it reads as "you are here"
PANEL_BG='#FFFFFF'     # text panel
PANEL_EDGE='#D3DCE6'   # hairline between the two panels and under headings
BAND_BG='#EEEEEE'      # bottom button band (buttons blend into it)
BAND_LINE='#C8C8C8'    # separator on top of the band
FRAME='#7F8C99'        # 1 px page border
INK='#202020'          # body text
DONE_GREEN='#2E8B57'   # tick of the current step
MUTED='#8A8A8A'        # other steps
ACCENT='#F28C00'       # brand orange: logo rule, button highlight
SUBTLE='#5A6B7D'       # logo strapline

# ---------------------------------------------------------------- page geometry
TITLE_H=32      # title bar height on the wizard pages
SEP_Y=339       # band separator row: the band is plain from 340 down
LEFT_W=180      # step panel covers x 1..179, hairline at 180
TEXT_X=205      # left edge of text in the text panel
HEAD_Y=38       # top of the heading line
RULE_Y=63       # hairline under the heading

# Every drawing helper appends to this argument list; save() hands it to convert.
cmd=()

save() {
  # TrueColor stops ImageMagick from choosing an 8-bit palette for images with few
  # colours; stripping metadata keeps reruns byte-identical.
  convert -respect-parentheses "${cmd[@]}" -type TrueColor \
    +set date:create +set date:modify -strip "BMP3:$OUT/$1"
}

rect() {  # colour x0 y0 x1 y1 (inclusive, crisp)
  cmd+=(-stroke none -fill "$1" -draw "rectangle $2,$3 $4,$5")
}

text_at() {  # font size colour x top text -- single line, (x, top) is the line box corner
  cmd+=(-stroke none -font "$1" -pointsize "$2" -fill "$3" -gravity NorthWest
        -annotate "+$4+$5" "$6")
}

text_right() {  # font size colour right-edge top text -- right-aligned single line
  # NorthEast gravity measures x from the canvas's right edge.
  cmd+=(-stroke none -font "$1" -pointsize "$2" -fill "$3" -gravity NorthEast
        -annotate "+$((CANVAS_W - $4))+$5" "$6" -gravity NorthWest)
}

text_panel() {  # font size colour x top width text -- wrapped text block
  cmd+=(\( -size "${6}x" -background none -font "$1" -pointsize "$2" -fill "$3"
           -interline-spacing 3 -gravity NorthWest caption:"$7" \)
        -gravity NorthWest -geometry "+$4+$5" -composite)
}

new_canvas() {  # width height colour
  CANVAS_W=$1
  cmd=(-size "$1x$2" "xc:$3")
}

title_bar() {  # width height text size -- flat, so the window glyphs blend into it
  local w=$1 h=$2 size=$4
  rect "$TITLE_BG" 0 0 $((w - 1)) $((h - 1))
  # Centre the capitals: cap height is about 0.7 em and sits ~0.23 em below the line top.
  text_at "$BOLD" "$size" white 12 $(( (h - size * 7 / 10) / 2 - size * 23 / 100 )) "$3"
}

frame() {  # width separator-row -- border round the upper part; the band below SEP_Y stays plain
  local w=$1 y=$2
  rect "$BAND_LINE" 1 "$y" $((w - 2)) "$y"
  rect "$FRAME" 0 0 $((w - 1)) 0
  rect "$FRAME" 0 0 0 "$y"
  rect "$FRAME" $((w - 1)) 0 $((w - 1)) "$y"
}

logo() {  # x y size -- "Kyv" word mark with an orange rule and strapline, top-left at (x, y)
  local x=$1 y=$2 s=$3
  local w=$((s * 2)) kyv_h=$((s * 112 / 100))
  local strap=$((s * 27 / 100))
  cmd+=(\( -size "${w}x$((kyv_h + strap + 10))" xc:none -stroke none
           -font "$BOLD" -pointsize "$s" -fill "$TITLE_BG" -gravity North -annotate +0+0 Kyv
           -fill "$ACCENT" -draw "rectangle $((w / 2 - s * 6 / 10)),$((kyv_h + 1)) $((w / 2 + s * 6 / 10 - 1)),$((kyv_h + 2))"
           -font "$BOLD" -pointsize "$strap" -kerning 2 -fill "$SUBTLE"
           -annotate "+1+$((kyv_h + 6))" PRINTERS \)
        -gravity NorthWest -geometry "+$x+$y" -composite)
}

STEPS=("Introduction" "Configure Driver" "Registration" "Installation Complete")
step_list() {  # index of the current step (0-based)
  local i top mid
  for i in "${!STEPS[@]}"; do
    top=$((TITLE_H + 22 + i * 32))
    mid=$((top + 8))   # optical middle of 13 px capitals
    if [ "$i" -eq "$1" ]; then
      rect "$STEP_ROW" 8 $((top - 6)) $((LEFT_W - 9)) $((top + 21))
      cmd+=(-fill none -stroke "$DONE_GREEN" -strokewidth 2.2 -draw
            "stroke-linecap round stroke-linejoin round polyline 15,$mid 19,$((mid + 4)) 26,$((mid - 4))")
      text_at "$BOLD" 13 black 33 "$top" "${STEPS[$i]}"
    else
      cmd+=(-stroke none -fill "$MUTED" -draw "circle 20,$mid 20,$((mid + 2))")
      text_at "$REG" 13 "$MUTED" 33 "$top" "${STEPS[$i]}"
    fi
  done
}

wizard_page() {  # width height step-index heading
  local w=$1 h=$2
  new_canvas "$w" "$h" "$BAND_BG"
  rect "$STEPS_BG" 1 "$TITLE_H" $((LEFT_W - 1)) $((SEP_Y - 1))
  rect "$PANEL_EDGE" "$LEFT_W" "$TITLE_H" "$LEFT_W" $((SEP_Y - 1))
  rect "$PANEL_BG" $((LEFT_W + 1)) "$TITLE_H" $((w - 2)) $((SEP_Y - 1))
  title_bar "$w" "$TITLE_H" "Kyv Printer Driver Installation Wizard" 14
  step_list "$3"
  logo 35 238 44
  text_at "$BOLD" 18 "$TITLE_BG" "$TEXT_X" "$HEAD_Y" "$4"
  rect "$PANEL_EDGE" "$TEXT_X" "$RULE_Y" $((w - 24)) "$RULE_Y"
  frame "$w" "$SEP_Y"
  TEXT_W=$((w - TEXT_X - 26))
}

# ---------------------------------------------------------------- wizard pages
wizard_page 613 414 0 "Introduction"
text_at "$BOLD" 13 "$INK" "$TEXT_X" 80 "Welcome,"
text_panel "$REG" 13 "$INK" "$TEXT_X" 104 "$TEXT_W" \
  "This wizard will help you to install a new Kyv printer driver on your system.It will guide you through the installation and configuration process of a printer driver for your printing system."
text_at "$REG" 13 "$INK" "$TEXT_X" 304 "To continue, click Next."
save page_introduction.bmp

# The list box, edit box and check boxes are laid over this page by the program.
wizard_page 613 414 1 "Configure Printer Driver"
text_at "$REG" 13 "$INK" 236 86 "Select the model name:"
text_at "$REG" 13 "$INK" 236 214 "Type your printer name:"
save page_configuration.bmp

wizard_page 611 415 2 "Registration Wizard"
text_at "$BOLD" 13 "$INK" "$TEXT_X" 80 "Thanks for choosing Kyv printer driver."
text_panel "$REG" 13 "$INK" "$TEXT_X" 104 "$TEXT_W" \
  "Please register your product on our website for additional benifits and help us to serve you better."
text_at "$REG" 13 "$INK" "$TEXT_X" 304 "To skip Registration, click Later."
save page_registration.bmp

# The setting values are edit boxes the program places at x >= 306 on the label lines
# (centred as an 8-point page lays them out: 13-pixel dialog-unit rows).
wizard_page 613 414 3 "Installation Complete"
text_at "$REG" 13 "$INK" "$TEXT_X" 67 "Thanks for choosing Kyv printer."
text_at "$REG" 13 "$INK" "$TEXT_X" 84 "The driver installed with the following settings."
labels=("Model Name:" "Port:" "Printer Name:" "Default:" "Test Page:")
centres=(104 125 146 168 189)
for i in "${!labels[@]}"; do
  # The colon's side bearing leaves ~3 px after the ink, so aim the box at 303 for ink ending at 300;
  # 13 px capitals start 4 px below the line top and are 9 px tall.
  text_right "$REG" 13 "$INK" 303 $((centres[i] - 7)) "${labels[$i]}"
done
# shellcheck disable=SC1111  # the curly quotes belong to the wording
text_panel "$BOLD" 11 "$INK" "$TEXT_X" 224 "$TEXT_W" \
  "Note: If you are installing to USB port, plug the printer to computer in power on condition and click 'Next' button on New hardware found wizard.
For Windows 7 & later:
If printer is listed as “Unspecified” in Devices and printers when it is pluged. Right click on the device and select Troubleshoot. Select “Apply fix” on subsequent screen."
save page_conclusion.bmp

# ---------------------------------------------------------------- about box
ABOUT_W=346 ABOUT_H=223 ABOUT_TITLE_H=26 ABOUT_SEP=164
new_canvas "$ABOUT_W" "$ABOUT_H" "$BAND_BG"
rect "$PANEL_BG" 1 "$ABOUT_TITLE_H" $((ABOUT_W - 2)) $((ABOUT_SEP - 1))
title_bar "$ABOUT_W" "$ABOUT_TITLE_H" "About Kyv Printer Corvane" 13
logo 10 62 34
rect "$PANEL_EDGE" 90 50 90 140
text_at "$BOLD" 13 "$INK" 101 58 "Kyv Printer Corvane"
text_at "$REG" 12 "$INK" 101 80 "Version 1.9"
text_at "$REG" 12 "$INK" 101 100 "Copyright © 2026 Kyv. All rights reserved."
frame "$ABOUT_W" "$ABOUT_SEP"
save page_about.bmp

# ---------------------------------------------------------------- buttons
# name | caption | normal WxH | highlight WxH
BUTTONS=(
  "next|Next >|82x31|82x31"
  "about|About|82x31|82x31"
  "cancel|Cancel|82x31|82x31"
  "install|Install|82x31|82x31"
  "ok|Ok|82x31|82x31"
  "finish|Finish|82x31|82x31"
  "another|Install another driver|163x32|163x32"
  "register|Register|165x33|165x31"
  "later|Later|84x31|83x32"
)

button() {  # out width height caption caption-box-w caption-box-h normal|highlight
  local w=$2 h=$3 border stroke inset
  # ImageMagick puts pixel centres on integer coordinates: a 1 px stroke sits on them,
  # a 2 px stroke half a pixel further in.
  if [ "$7" = highlight ]; then
    border=$ACCENT stroke=2 inset=0.5
  else
    border='#9A9A9A' stroke=1 inset=0
  fi
  local shape
  shape="roundrectangle $inset,$inset $(awk "BEGIN{print $w-1-$inset}"),$(awk "BEGIN{print $h-1-$inset}") 6,6"
  new_canvas "$w" "$h" "$BAND_BG"
  # Face: a sheen that is light at the top and settles to #E4E4E4 by mid-height,
  # pasted through an anti-aliased rounded mask so the corners show the band colour.
  cmd+=(\( -size "${w}x$((h / 2))" gradient:'#F6F6F6-#E4E4E4'
           -size "${w}x$((h - h / 2))" xc:'#E4E4E4' -append \)
        \( -size "${w}x${h}" xc:black -fill white -stroke none -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) 6,6" \)
        -composite
        -fill none -stroke "$border" -strokewidth "$stroke" -draw "$shape")
  # The caption is laid out in a box shared by both states (anchored top-left), so it
  # stays put when the program swaps the images even where their sizes differ.
  cmd+=(\( -size "${5}x${6}" xc:none -stroke none -font "$BOLD" -pointsize 12 -fill black
           -gravity Center -annotate +0+0 "$4" \)
        -gravity NorthWest -geometry +0+0 -composite)
  save "$1"
}

for row in "${BUTTONS[@]}"; do
  IFS='|' read -r name caption normal highlight <<<"$row"
  nw=${normal%x*} nh=${normal#*x} hw=${highlight%x*} hh=${highlight#*x}
  bw=$((nw < hw ? nw : hw)) bh=$((nh < hh ? nh : hh))
  button "${name}_normal.bmp" "$nw" "$nh" "$caption" "$bw" "$bh" normal
  button "${name}_highlight.bmp" "$hw" "$hh" "$caption" "$bw" "$bh" highlight
done

# ---------------------------------------------------------------- title bar glyphs
# Drawn 8x larger and box-averaged down, which gives smooth edges into the title colour.
SS=8
sc() { awk "BEGIN{print ($1) * $SS}"; }  # output-pixel coordinate -> supersampled
glyph() {  # out width height fill rim cx cy radius mark-primitive mark-colour (output pixels)
  local w=$2 h=$3
  new_canvas $((w * SS)) $((h * SS)) "$TITLE_BG"
  cmd+=(-fill "$4" -stroke "$5" -strokewidth $((SS * 12 / 10))
        -draw "circle $(sc "$6"),$(sc "$7") $(sc "$6"),$(sc "$7 - $8")"
        -fill none -stroke "${10}" -strokewidth $((SS * 2)) -draw "stroke-linecap round $9"
        -filter Box -resize "${w}x${h}!")
  save "$1"
}

glyph glyph_minimise.bmp 20 18 '#F5C400' '#C99A00' 10 9 8 \
  "line $(sc 6.5),$(sc 9) $(sc 13.5),$(sc 9)" '#4A3A00'
glyph glyph_close.bmp 21 19 '#D9342B' '#A32018' 10.5 9.5 8.5 \
  "line $(sc 7.8),$(sc 6.8) $(sc 13.2),$(sc 12.2) line $(sc 13.2),$(sc 6.8) $(sc 7.8),$(sc 12.2)" white

# ---------------------------------------------------------------- check box labels
# 1 px white margin all round: the program draws its focus rectangle on the edge.
small_label() {  # out width height text line-top (12 px ascenders start ~3 px below it)
  new_canvas "$2" "$3" white
  text_at "$REG" 12 black 2 "$5" "$4"
  save "$1"
}
small_label label_make_default.bmp 110 13 "Make it as default" -1
small_label label_print_test_page.bmp 90 17 "Print test page" 1

# ---------------------------------------------------------------- busy banner
new_canvas 345 24 '#E0C97F'
rect '#FFF8DC' 1 1 343 22
cmd+=(-stroke none -font "$BOLD" -pointsize 13 -fill "$TITLE_BG" -gravity Center
      -annotate +0+0 "The printer driver is getting installed.Please wait...")
save banner_busy.bmp

# ---------------------------------------------------------------- test page logo (1 bpp)
convert -size 288x82 xc:white -fill black -font "$BOLD" -gravity NorthWest \
  -pointsize 40 -annotate +6-4 "Kyv" \
  -pointsize 24 -annotate +7+45 "Printer Test Page" \
  -threshold 50% -type Bilevel +set date:create +set date:modify -strip "BMP3:$OUT/kyvlogo.bmp"

# ---------------------------------------------------------------- program icon
# 32x40, 24 bpp, opaque: a rounded brand tile with the word mark and the orange rule.
convert -size 32x40 xc:white -stroke none -fill "$TITLE_BG" -draw "roundrectangle 0,0 31,39 5,5" \
  -font "$BOLD" -pointsize 14 -fill white -gravity Center -annotate +0-3 "Kyv" \
  -fill "$ACCENT" -draw "rectangle 9,29 22,30" \
  -depth 8 rgb:- | python3 tools/make-icon.py 32 40 "$OUT/corvane.ico"

# ---------------------------------------------------------------- self-check
# Catches a wrong size or an ImageMagick that quietly wrote a palette or compressed BMP.
EXPECTED=(
  "page_introduction.bmp 613x414 24" "page_configuration.bmp 613x414 24"
  "page_registration.bmp 611x415 24" "page_conclusion.bmp 613x414 24"
  "page_about.bmp 346x223 24"
  "glyph_minimise.bmp 20x18 24" "glyph_close.bmp 21x19 24"
  "label_make_default.bmp 110x13 24" "label_print_test_page.bmp 90x17 24"
  "banner_busy.bmp 345x24 24" "kyvlogo.bmp 288x82 1"
)
for row in "${BUTTONS[@]}"; do
  IFS='|' read -r name _ normal highlight <<<"$row"
  EXPECTED+=("${name}_normal.bmp $normal 24" "${name}_highlight.bmp $highlight 24")
done
status=0
for row in "${EXPECTED[@]}"; do
  read -r f size bpp <<<"$row"
  got=$(file -b "$OUT/$f")
  compression=$(od -An -tu4 -j30 -N4 "$OUT/$f" | tr -d ' ')  # biCompression of the BITMAPINFOHEADER
  if [[ "$got" != "PC bitmap, Windows 3.x format, ${size/x/ x } x $bpp,"* || "$compression" != 0 ]]; then
    echo "make-artwork: $f is \"$got\" (compression $compression), wanted ${size} x $bpp uncompressed" >&2
    status=1
  fi
done
exit "$status"
