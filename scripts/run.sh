#!/usr/bin/env bash
# Builds the program and starts it under Wine. With no display it runs on a virtual one,
# saves a screenshot once the window is up, prints the screenshot's path and ends.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELDRIAN_BUILD_DIR:-$root/build/mingw}

"$root/scripts/setup.sh"
cmake --preset mingw -B "$build" >/dev/null
cmake --build "$build" --target VeldrianRGB program_folder

export WINEPREFIX="$build/wineprefix"
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
program="$build/VeldrianRGB/VeldrianRGB.exe"

if [ -n "${DISPLAY:-}" ]; then
  exec "$root/scripts/wine-run.sh" "$program"
fi

shots="$build/screenshots"
mkdir -p "$shots"
shot="$shots/run.png"
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  wineserver -p
  "$1" "$2" &
  window=
  for _ in $(seq 60); do
    window=$(xdotool search --onlyvisible --name "^VELDRIAN RGB Control_Config$" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.5
  done
  sleep 2
  import -window "${window:-root}" "$3"
  wineserver -k 2>/dev/null || true
' run "$root/scripts/wine-run.sh" "$program" "$shot"
echo "screenshot: $shot"
