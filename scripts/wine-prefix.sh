#!/usr/bin/env bash
# Makes a Wine prefix ready for the program once: created, fonts mapped to installed ones.
# Several test programs may start at once, so the work runs under a lock.
set -euo pipefail
prefix=$1
here=$(cd "$(dirname "$0")" && pwd)
[ -f "$prefix/.veldrian-ready" ] && exit 0

mkdir -p "$prefix"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.veldrian-ready" ] && exit 0

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wineboot -i >/dev/null 2>&1
wine regedit /S "$(winepath -w "$here/wine-fonts.reg")" >/dev/null 2>&1
wineserver -w
touch "$prefix/.veldrian-ready"
