#!/usr/bin/env bash
# ctest with one wineserver kept up for the whole run: each test program then starts in about
# a second. Expects WINEPREFIX and the build folder as the first argument.
set -uo pipefail
build=$1; shift
wineserver -p
# Start Wine's own service processes now, away from ctest's output pipes: started by a test
# program they would inherit its pipe and keep ctest waiting for the end of its output.
wine cmd /c exit </dev/null >/dev/null 2>&1
rc=0
ctest --test-dir "$build" --output-on-failure --no-tests=error --timeout 900 "$@" || rc=$?
# After a run of every test, the pictures of the main window that no test takes.
if (($# == 0)); then
  "$(dirname "$0")/wine-run.sh" "$build/tests/main_window_shots.exe" >/dev/null 2>&1 ||
    echo "ctest-under-wine: the main window's pictures were not all saved" >&2
fi
wineserver -k 2>/dev/null
exit $rc
