#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine, and fetches the TinyXML
# source package (with Debian's patches) into build/deps. Safe to run again: it only does
# what is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  cmake ninja-build
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-apps imagemagick xdotool
  python3-cairo fonts-dejavu-core fonts-wqy-microhei
  groff ghostscript dpkg-dev googletest nsis
  clang libclang-rt-dev # the native build: sanitizer runtimes and libFuzzer
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# TinyXML arrives as Debian's source package, patched by dpkg-source, and is compiled by the
# cross toolchain. A private apt state with deb-src entries leaves the machine's own lists alone.
deps="$root/build/deps"
if [ ! -f "$deps/tinyxml/tinyxml.h" ]; then
  apt_dir="$deps/apt"
  mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$deps/src"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    sed 's/^Types:.*$/Types: deb-src/' "$f" > "$apt_dir/parts/$(basename "$f")"
  done
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > "$apt_dir/parts/main.list"
  fi
  apt_opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/parts"
            -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
            -o APT::Sandbox::User=root)
  apt-get -qq "${apt_opts[@]}" update
  (cd "$deps/src" && apt-get -qq "${apt_opts[@]}" source tinyxml >/dev/null)
  src=$(find "$deps/src" -maxdepth 1 -type d -name 'tinyxml-*' | head -n 1)
  rm -rf "$deps/tinyxml"
  mv "$src" "$deps/tinyxml"
fi
echo "setup: ready"
