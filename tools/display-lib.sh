# Sourced by the scripts that run the wizard under Wine without a desktop: a private
# Xvfb, a persistent wineserver, and the prefix set up the way the tests need it.

# Starts an Xvfb on a free display (it writes the number to numfile) and exports
# DISPLAY; sets XVFB_PID. Usage: start_xvfb <numfile>
start_xvfb() {
  local numfile=$1
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$numfile" >/dev/null 2>&1 </dev/null &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$numfile" ] && break; sleep 0.1; done
  [ -s "$numfile" ] || { echo "Xvfb did not start" >&2; return 1; }
  DISPLAY=":$(tr -d '\n' <"$numfile")"
  export DISPLAY
}

# A persistent wineserver for $WINEPREFIX, warmed up. Both with stdio on /dev/null:
# Wine's services inherit the first process's stdout, and a pipe held open by them
# would stall every caller that reads one (CTest does).
start_wineserver() {
  (setsid wineserver -p >/dev/null 2>&1 </dev/null &)
  timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1
}

# The test prefix $WINEPREFIX: one Wine virtual desktop filling the display, so the
# pointer is always over it and X focus never wanders to the root window between
# Wine's windows; the installation medium as drive D: and its copy with the scripted
# stand-in for the companion library as drive E:.
# Usage: prepare_test_prefix <build-dir>
prepare_test_prefix() {
  local build=$1 devices="$WINEPREFIX/dosdevices"
  timeout 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
  timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
  # A "<letter>::" link names a raw device for the drive; the media are plain folders.
  rm -f "$devices/d:" "$devices/d::" "$devices/e:" "$devices/e::"
  ln -s "$build/medium" "$devices/d:"
  ln -s "$build/medium-double" "$devices/e:"
}
