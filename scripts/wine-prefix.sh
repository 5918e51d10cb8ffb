#!/usr/bin/env bash
# Makes a Wine prefix ready for the program: created once, then the settings of
# wine-settings.reg applied whenever that file changes (fonts mapped to installed ones,
# windows unmanaged since no window manager runs on the virtual display), and the stand-in
# lighting provider of the build the prefix belongs to (<build>/wineprefix) registered with
# regsvr32 whenever that DLL changes, and the build's stand-in viewer made the program that
# opens PDF documents.
# Several test programs may start at once, so the work runs under a lock.
set -euo pipefail
prefix=$1
here=$(cd "$(dirname "$0")" && pwd)
settings="$here/wine-settings.reg"
stamp="$prefix/.veldrian-settings"
want=$(sha1sum "$settings" | cut -d' ' -f1)

provider="$(dirname "$prefix")/VeldrianRGB/LightingProvider.dll"
provider_stamp="$prefix/.veldrian-provider"
provider_id() { echo "$provider $(stat -c '%s %Y' "$provider")"; }

viewer="$(dirname "$prefix")/standins/viewer.exe"
viewer_stamp="$prefix/.veldrian-viewer"

settings_ready() { [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ]; }
provider_ready() { [ ! -f "$provider" ] || { [ -f "$provider_stamp" ] && [ "$(cat "$provider_stamp")" = "$(provider_id)" ]; }; }
viewer_ready() { [ ! -f "$viewer" ] || { [ -f "$viewer_stamp" ] && [ "$(cat "$viewer_stamp")" = "$viewer" ]; }; }
up_to_date() { settings_ready && provider_ready && viewer_ready; }
up_to_date && exit 0

mkdir -p "$prefix"
exec 9>"$prefix.lock"
flock 9
up_to_date && exit 0

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Without a display Wine would start its desktop process unable to draw, and a wineserver
# kept alive would hand that process to the programs started later on a display.
unset DISPLAY
[ -f "$prefix/system.reg" ] || wineboot -i >/dev/null 2>&1
settings_ready || wine regedit /S "$(winepath -w "$settings")" >/dev/null 2>&1
provider_registered=
if ! provider_ready; then
  if wine regsvr32 /s "$(winepath -w "$provider")" >/dev/null 2>&1; then
    provider_registered=$(provider_id)
  else
    echo "wine-prefix: could not register $provider" >&2
  fi
fi
viewer_registered=
if ! viewer_ready; then
  command="\"$(winepath -w "$viewer")\" \"%1\""
  if wine reg add 'HKLM\Software\Classes\.pdf' /ve /d Veldrian.Document /f >/dev/null 2>&1 &&
     wine reg add 'HKLM\Software\Classes\Veldrian.Document\shell\open\command' /ve /d "$command" /f >/dev/null 2>&1; then
    viewer_registered=$viewer
  else
    echo "wine-prefix: could not register $viewer for PDF documents" >&2
  fi
fi
wineserver -k 2>/dev/null || true
wineserver -w
echo "$want" > "$stamp"
[ -z "$provider_registered" ] || echo "$provider_registered" > "$provider_stamp"
[ -z "$viewer_registered" ] || echo "$viewer_registered" > "$viewer_stamp"
