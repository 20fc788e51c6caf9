#!/bin/bash
# Starts or stops what the tests of one build tree share: an Xvfb display and a
# persistent wineserver for the tree's prefix.
# Usage: tools/test-session.sh start|stop <build-dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
action=$1
build=$(cd "$2" && pwd)
session="$build/test-session"

stop_session() {
  if [ -f "$session/display" ]; then
    . "$here/wine-env.sh" "$build"
    # The wizard run by hand shows its pages on the real desktop again.
    timeout 30 wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f </dev/null >/dev/null 2>&1 || true
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
  . "$here/display-lib.sh"
  start_xvfb "$session/display.num"
  echo "$XVFB_PID" >"$session/xvfb.pid"
  echo "$DISPLAY" >"$session/display"
  . "$here/wine-env.sh" "$build"
  # A previous server of this prefix must be gone before the persistent one starts.
  timeout 30 wineserver -w || true
  start_wineserver
  prepare_test_prefix "$build"
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
