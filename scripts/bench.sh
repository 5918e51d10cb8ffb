#!/usr/bin/env bash
# Runs the benchmark: set-up, build, then the bench under Wine (on a virtual display when
# there is none). Prints one table of medians and keeps it in <build>/bench/results.md.
# VELDRIAN_BUILD_DIR chooses another build folder (default build/mingw).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELDRIAN_BUILD_DIR:-$root/build/mingw}

"$root/scripts/setup.sh"
cmake --preset mingw -B "$build" >/dev/null
cmake --build "$build" --target bench

export WINEPREFIX="$build/wineprefix"
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
results="$build/bench/results.md"

# A wineserver kept alive for the whole run: the started copies then pay for a process
# start, not for a server start.
run_bench='
  wineserver -p
  rc=0
  "$1" "$2" > "$3" || rc=$?
  wineserver -k 2>/dev/null || true
  exit $rc
'
if [ -n "${DISPLAY:-}" ]; then
  bash -c "$run_bench" bench "$root/scripts/wine-run.sh" "$build/bench/bench.exe" "$results"
else
  xvfb-run -a -s "-screen 0 1600x1000x24" \
    bash -c "$run_bench" bench "$root/scripts/wine-run.sh" "$build/bench/bench.exe" "$results"
fi
cat "$results"
