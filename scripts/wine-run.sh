#!/usr/bin/env bash
# Runs a Windows executable under Wine with the project's own prefix: <build folder>/wineprefix,
# where the build folder is the nearest folder above the executable that holds CMakeCache.txt
# (or $WINEPREFIX when set). The prefix is made on first use, with the font mapping and the
# stand-in registrations the program and its tests expect.
set -euo pipefail
exe=$1; shift

if [ -z "${WINEPREFIX:-}" ]; then
  dir=$(cd "$(dirname "$exe")" && pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ -f "$dir/CMakeCache.txt" ] || { echo "wine-run: no build folder above $exe" >&2; exit 2; }
  export WINEPREFIX="$dir/wineprefix"
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

"$(dirname "$0")/wine-prefix.sh" "$WINEPREFIX"
if [ -t 1 ]; then
  exec wine "$exe" "$@"
fi

# Output to a pipe (ctest) goes through a file: every process a Windows program starts under
# Wine inherits its Unix standard error, and one that outlives the program (the lighting
# service the program starts, say) would keep the pipe open and its reader waiting.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
wine "$exe" "$@" >"$log" 2>&1 &
pid=$!
tail -n +1 -s 0.1 -f --pid="$pid" "$log"
rc=0
wait "$pid" || rc=$?
exit $rc
