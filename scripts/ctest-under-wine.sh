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
ctest --test-dir "$build" --output-on-failure --timeout 900 "$@" || rc=$?
wineserver -k 2>/dev/null
exit $rc
