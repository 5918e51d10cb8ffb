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
# The walks make the program several times slower: the suites' time limits stretch with it, so
# every path is walked to its end.
export VELDRIAN_TEST_TIME_SCALE=6
# Of the hostile suite, the cases that drive windows (messages, endings, skins rebuilt with the
# question shown, every kind of descriptor listed and chosen, a refused write): the settings
# file cases exercise the store and record parsing, which the sanitizer build runs, and take
# minutes each when every call walks the heap; the cases whose point is sheer size (hundreds of
# devices, twenty kills timed against a whole Apply) only measure the walk.
hostile_filter='HostileMessages.*:ForeignWindow.*:Commands/*:Skins/*:HostileDescriptors.EveryKind*:HostileApply.AReadOnly*'

run_checked() {
  wineserver -p
  # The flags go with the run, however it ends: later runs get the program's usual heaps.
  trap 'wine reg delete "$options" /f >/dev/null 2>&1; wineserver -k 2>/dev/null' EXIT
  wine reg add "$options" /v GlobalFlag /t REG_DWORD /d "$heap_flags" /f >/dev/null 2>&1
  local rc=0
  for suite in e2e_tests hostile_tests; do
    local filter='*'
    [ "$suite" = hostile_tests ] && filter=$hostile_filter
    echo "heap-check: $suite"
    # Wine's heap errors only; everything else the suite prints is kept as it is.
    WINEDEBUG=-all,err+heap "$root/scripts/wine-run.sh" "$build/tests/$suite.exe" --gtest_brief=1 \
      "--gtest_filter=$filter" || rc=1
  done
  return $rc
}
# Inside the virtual display this script runs again with --checked-run.
if [ "${1:-}" = --checked-run ]; then
  run_checked
  exit
fi

status=0
if [ -n "${DISPLAY:-}" ]; then
  run_checked >"$log" 2>&1 || status=$?
else
  xvfb-run -a -s "-screen 0 1600x1000x24" "$0" --checked-run >"$log" 2>&1 || status=$?
fi
grep -E '^\[ *(PASSED|FAILED) ' "$log" || true
if [ "$(grep -c -E '^\[==========\] [0-9]+ tests? from .* ran' "$log")" -ne 2 ]; then
  echo "heap-check: a suite did not run to its end; see $log" >&2
  tail -n 40 "$log" >&2
  exit 1
fi
if grep -q 'err:heap' "$log"; then
  echo "heap-check: the heap was damaged; see $log" >&2
  grep -m 20 'err:heap' "$log" >&2
  exit 1
fi
# The verdict is the heap's: the suites' own checks are the normal run's to judge. A program
# this much slower misses what depends on pace (a list placed before its window's first display
# events are handled, keys typed ahead of it), which says nothing about its memory.
if [ "$status" -ne 0 ]; then
  echo "heap-check: some checks failed at this pace (see $log); the heap reported no error"
fi
echo "heap-check: no heap errors"
