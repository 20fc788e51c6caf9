# Sourced by the scripts that run Wine for one build tree: the tree's own prefix,
# quiet Wine, and the display of a running test session when there is one.
# Usage: . tools/wine-env.sh <build-dir>
CORVANE_BUILD=$(cd "$1" && pwd)
export WINEPREFIX="$CORVANE_BUILD/prefix"
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
CORVANE_SESSION="$CORVANE_BUILD/test-session"
if [ -f "$CORVANE_SESSION/display" ]; then
  DISPLAY=$(cat "$CORVANE_SESSION/display")
  export DISPLAY
fi
