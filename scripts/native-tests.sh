#!/usr/bin/env bash
# The platform-free logic built natively with clang: its unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer (with each fuzzer's seed corpus replayed), then every libFuzzer
# target for a bounded time. Fails when a test fails or a fuzzer finds a fault; the input that
# found it is kept in <build>/fuzz-artifacts/<target>/.
# VELDRIAN_FUZZ_SECONDS: fuzzing time per target (default 30; 0 skips fuzzing).
# VELDRIAN_FUZZ_JOBS: targets fuzzed at once (default: the number of cores).
# VELDRIAN_NATIVE_BUILD_DIR: the build folder (default build/native).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELDRIAN_NATIVE_BUILD_DIR:-$root/build/native}
seconds=${VELDRIAN_FUZZ_SECONDS:-30}
jobs=${VELDRIAN_FUZZ_JOBS:-$(nproc)}

"$root/scripts/setup.sh"
cmake -S "$root/native" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure --no-tests=error --timeout 300

((seconds > 0)) || exit 0

# Each target grows its own corpus in the build folder, starting from the seeds in the repo.
fuzz_one() {
  local name=$1
  local seeds="$root/native/fuzz/corpus/$name" corpus="$build/fuzz-corpus/$name"
  local artifacts="$build/fuzz-artifacts/$name" log="$build/fuzz-logs/$name.log"
  local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
                 -artifact_prefix="$artifacts/")
  [ -f "$root/native/fuzz/$name.dict" ] && options+=(-dict="$root/native/fuzz/$name.dict")
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  if "$build/fuzz/$name" "${options[@]}" "$corpus" "$seeds" >"$log" 2>&1; then
    echo "fuzz: $name: $(grep -m1 -o 'Done [0-9]* runs in [0-9]* second(s)' "$log")"
  else
    echo "fuzz: $name FOUND A FAULT (log $log, input in $artifacts/):"
    grep -E -A 12 'ERROR: |runtime error|property failed' "$log" | head -n 40
    return 1
  fi
}

# Exactly the targets the build lists (native/fuzz/CMakeLists.txt); one not built fails the run
# rather than leaving it shorter.
list="$build/fuzz/targets.txt"
[ -s "$list" ] || { echo "fuzz: no list of targets in $list (is the compiler clang?)" >&2; exit 1; }
mapfile -t targets <"$list"
for name in "${targets[@]}"; do
  [ -x "$build/fuzz/$name" ] || { echo "fuzz: $name is listed but was not built" >&2; exit 1; }
done
echo "fuzz: ${#targets[@]} targets, ${seconds} s each, ${jobs} at a time"

passed=0 failed=0
declare -A running=()
reap() {
  local pid
  wait -n -p pid && ((++passed)) || ((++failed))
  unset "running[$pid]"
}
for name in "${targets[@]}"; do
  ((${#running[@]} < jobs)) || reap
  fuzz_one "$name" &
  running[$!]=$name
done
while ((${#running[@]})); do reap; done

echo "fuzz: $passed passed, $failed failed"
((failed == 0 && passed == ${#targets[@]}))
