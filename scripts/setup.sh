#!/usr/bin/env bash
# Installs everything the builds and tests need from Debian's packages, then
# cross-builds the picture libraries (libjpeg-turbo, libpng, giflib, libtiff)
# for the two Windows targets (cached under build/deps, so a second run costs
# nothing).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config dpkg-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev nasm
  libgtest-dev libgmock-dev libbenchmark-dev libtomlplusplus-dev libcli11-dev
  libjpeg-dev libjpeg-turbo-progs libpng-dev libgif-dev zlib1g-dev
  clang libclang-rt-14-dev
  wine wine64 fonts-wine fonts-liberation xvfb x11-utils imagemagick python3
  libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libtiff-dev
  liblzma-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# The picture libraries are cross-built from Debian's source packages, fetched
# from the same places as the machine's binary packages: the deb-src entries
# are derived from its own deb sources and written to a file of our own, which
# is rewritten (or removed, when the machine has them all already) each run.
source scripts/apt-sources.sh
src_file=/etc/apt/sources.list.d/slideshow-src.sources
if ! wanted_src=$(derive_deb_src "" "$src_file"); then
  echo "setup: no enabled 'deb' package source in /etc/apt/sources.list or /etc/apt/sources.list.d/*.{list,sources}; one is needed to install packages and fetch the picture libraries' source packages" >&2
  exit 1
fi
sources_changed=0
if [ -n "$wanted_src" ]; then
  if [ "$(cat "$src_file" 2>/dev/null)" != "$wanted_src" ]; then
    printf '%s\n' "$wanted_src" >"$src_file"
    sources_changed=1
  fi
elif [ -e "$src_file" ]; then
  rm -f "$src_file"
  sources_changed=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $sources_changed -eq 1 ] || [ "${SLIDESHOW_FORCE_APT:-0}" = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  [ ${#missing[@]} -eq 0 ] || apt-get install -y "${missing[@]}"
fi

scripts/build-win-deps.sh i686-w64-mingw32
scripts/build-win-deps.sh x86_64-w64-mingw32
