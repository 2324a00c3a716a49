#!/usr/bin/env bash
# Installs everything the builds and tests need from Debian's packages, then
# cross-builds the picture libraries for the two Windows targets (cached under
# build/deps, so a second run costs nothing).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config dpkg-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev nasm
  libgtest-dev libgmock-dev libbenchmark-dev libtomlplusplus-dev libcli11-dev
  libjpeg-dev libjpeg-turbo-progs libpng-dev libgif-dev zlib1g-dev
  clang libclang-rt-14-dev
  wine wine64 fonts-wine fonts-liberation xvfb x11-utils imagemagick python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
need_src=0
[ -e /etc/apt/sources.list.d/slideshow-src.sources ] || need_src=1
if [ ${#missing[@]} -gt 0 ] || [ $need_src -eq 1 ] || [ "${SLIDESHOW_FORCE_APT:-0}" = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  # Source packages of the picture libraries are cross-built for Windows.
  cat > /etc/apt/sources.list.d/slideshow-src.sources <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  apt-get update
  [ ${#missing[@]} -eq 0 ] || apt-get install -y "${missing[@]}"
fi

scripts/build-win-deps.sh i686-w64-mingw32
scripts/build-win-deps.sh x86_64-w64-mingw32
