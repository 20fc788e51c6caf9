#!/bin/bash
# Builds Corvane and its tests, then runs every test under Wine and Xvfb with CTest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_BUILD_DIR:-$root/build}

bash "$root/tools/build.sh"
cd "$build"
# The session fixture starts and stops Xvfb and the wineserver around the tests.
timeout 3600 ctest --output-on-failure -j2 --timeout 300
