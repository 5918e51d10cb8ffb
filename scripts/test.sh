#!/usr/bin/env bash
# Runs every test: set-up, build, then ctest under Wine (on a virtual display when there is
# none). Extra arguments go to ctest, e.g. scripts/test.sh -R unit_tests.
# VELDRIAN_BUILD_DIR chooses another build folder (default build/mingw).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELDRIAN_BUILD_DIR:-$root/build/mingw}

"$root/scripts/setup.sh"
cmake --preset mingw -B "$build" >/dev/null
cmake --build "$build"

export WINEPREFIX="$build/wineprefix"
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"

runner=("$root/scripts/ctest-under-wine.sh" "$build" "$@")
if [ -n "${DISPLAY:-}" ]; then
  "${runner[@]}"
else
  xvfb-run -a -s "-screen 0 1600x1000x24" "${runner[@]}"
fi
