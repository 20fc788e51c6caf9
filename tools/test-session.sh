#!/bin/bash
# Starts or stops what the tests of one build tree share: an Xvfb display and a
# persistent wineserver for the tree's prefix.
# Usage: tools/test-session.sh start|stop <build-dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
action=$1
build=$(cd "$2" && pwd)
session="$build/test-session"

desktop_key='HKCU\Software\Wine\Explorer'

stop_session() {
  if [ -f "$session/display" ]; then
    . "$here/wine-env.sh" "$build"
    # The wizard run by hand shows its pages on the real desktop again.
    timeout 30 wine reg delete "$desktop_key" /v Desktop /f </dev/null >/dev/null 2>&1 || true
    timeout 20 wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -f "$session/xvfb.pid" ]; then
    kill "$(cat "$session/xvfb.pid")" 2>/dev/null || true
  fi
  rm -rf "$session"
}

case "$action" in
start)
  stop_session
  "$here/make-prefix.sh" "$build"
  mkdir -p "$session"
  # Xvfb picks a free display itself and writes its number to fd 3.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$session/display.num" \
    >/dev/null 2>&1 </dev/null &
  echo $! >"$session/xvfb.pid"
  for _ in $(seq 100); do [ -s "$session/display.num" ] && break; sleep 0.1; done
  [ -s "$session/display.num" ] || { echo "Xvfb did not start" >&2; exit 1; }
  echo ":$(tr -d '\n' <"$session/display.num")" >"$session/display"
  . "$here/wine-env.sh" "$build"
  # A previous server of this prefix must be gone before the persistent one starts.
  timeout 30 wineserver -w || true
  # Both with stdio on /dev/null: Wine's services inherit the first process's
  # stdout, and a pipe held open by them would stall every test run by CTest.
  (setsid wineserver -p >/dev/null 2>&1 </dev/null &)
  # Tests run in one Wine virtual desktop filling the display: the pointer is always
  # over it, so X focus never wanders to the root window between Wine's windows.
  timeout 60 wine reg add "$desktop_key" /v Desktop /d Default /f </dev/null >/dev/null 2>&1
  timeout 60 wine reg add "$desktop_key\Desktops" /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
  # The installation medium as drive D:, and a copy with the scripted stand-in for
  # the companion library as drive E:.
  rm -f "$WINEPREFIX/dosdevices/d:" "$WINEPREFIX/dosdevices/d::" "$WINEPREFIX/dosdevices/e:" "$WINEPREFIX/dosdevices/e::"
  ln -s "$build/medium" "$WINEPREFIX/dosdevices/d:"
  ln -s "$build/medium-double" "$WINEPREFIX/dosdevices/e:"
  # The shell's browser: log the address it is asked to open instead of opening it.
  cat >"$session/logurl.sh" <<EOF
#!/bin/sh
printf '%s\n' "\$@" >> "$session/urls.log"
EOF
  chmod +x "$session/logurl.sh"
  timeout 60 wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$session/logurl.sh" /f </dev/null >/dev/null 2>&1
  ;;
stop)
  stop_session
  ;;
*)
  echo "usage: $0 start|stop <build-dir>" >&2
  exit 2
  ;;
esac
