#!/usr/bin/env bash
# Runs the end-to-end and hostile suites once more with the platform's heap checking on for
# the program under test, and fails on any heap error: memory written after it was freed (a
# list or control destroyed while still in use) shows here even when the program goes on as
# if nothing happened. Expects the build scripts/test.sh made.
# VELDRIAN_BUILD_DIR chooses another build folder (default build/mingw).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELDRIAN_BUILD_DIR:-$root/build/mingw}
export WINEPREFIX="$build/wineprefix"
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"

# Checked heaps for the program alone, as Windows' gflags would set them: tail and free
# checking and a walk of the heap at every call (0x10 | 0x20 | 0x80). The test programs,
# the service and Wine's own processes run as usual.
options='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Image File Execution Options\VeldrianRGB.exe'
heap_flags=0xb0
log="$build/heap-check.log"

run_checked() {
  wineserver -p
  # The flags go with the run, however it ends: later runs get the program's usual heaps.
  trap 'wine reg delete "$options" /f >/dev/null 2>&1; wineserver -k 2>/dev/null' EXIT
  wine reg add "$options" /v GlobalFlag /t REG_DWORD /d "$heap_flags" /f >/dev/null 2>&1
  local rc=0
  for suite in e2e_tests hostile_tests; do
    echo "heap-check: $suite"
    # Wine's heap errors only; everything else the suite prints is kept as it is.
    WINEDEBUG=-all,err+heap "$root/scripts/wine-run.sh" "$build/tests/$suite.exe" --gtest_brief=1 || rc=1
  done
  return $rc
}
export -f run_checked
export root build options heap_flags

status=0
if [ -n "${DISPLAY:-}" ]; then
  run_checked >"$log" 2>&1 || status=$?
else
  xvfb-run -a -s "-screen 0 1600x1000x24" bash -c run_checked >"$log" 2>&1 || status=$?
fi
grep -E '^\[ *(PASSED|FAILED) ' "$log" || true
if grep -q 'err:heap' "$log"; then
  echo "heap-check: the heap was damaged; see $log" >&2
  grep -m 20 'err:heap' "$log" >&2
  exit 1
fi
if [ "$status" -ne 0 ]; then
  echo "heap-check: a suite failed under heap checking; see $log" >&2
  tail -n 60 "$log" >&2
  exit 1
fi
echo "heap-check: no heap errors"
