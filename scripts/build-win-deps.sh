#!/usr/bin/env bash
# Cross-builds the picture libraries (libjpeg-turbo, libpng, giflib, libtiff)
# and liblzma (for LZMA-compressed Flash movies) as static libraries for one
# Windows target from Debian's source packages:
#   scripts/build-win-deps.sh i686-w64-mingw32 | x86_64-w64-mingw32
# Result: build/deps/TRIPLET/{include,lib}. zlib comes from libz-mingw-w64-dev.
# Each library leaves a stamp recording its source version; a run that finds
# every stamp up to date (and the library in place) does nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

triplet=${1:-}
case "$triplet" in
  i686-w64-mingw32) processor=i686 ;;
  x86_64-w64-mingw32) processor=AMD64 ;;
  *) echo "usage: $0 i686-w64-mingw32|x86_64-w64-mingw32" >&2; exit 2 ;;
esac

deps=$root/build/deps
src_root=$deps/src
prefix=$deps/$triplet
work=$deps/work/$triplet
stamps=$prefix/stamps
jobs=${SLIDESHOW_DEPS_JOBS:-2}
cc=$triplet-gcc-posix
zlib_lib=/usr/$triplet/lib/libz.a
zlib_include=/usr/$triplet/include

# name:source package:library file that proves the install
libraries=(
  "zlib-check:-:$zlib_lib"
  "libjpeg-turbo:libjpeg-turbo:lib/libjpeg.a"
  "libpng:libpng1.6:lib/libpng16.a"
  "giflib:giflib:lib/libgif.a"
  "libtiff:tiff:lib/libtiff.a"
  "liblzma:xz-utils:lib/liblzma.a"
)

# The version apt would fetch; empty when apt has no deb-src entry, in which
# case whatever was built before is accepted.
wanted_version() {
  apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/ { print $2; exit }'
}

up_to_date() {  # name srcpkg file
  local stamp=$stamps/$1.stamp file=$3
  [[ $file == /* ]] || file=$prefix/$file
  [ -f "$stamp" ] && [ -f "$file" ] || return 1
  local have want
  have=$(cat "$stamp")
  want=$(wanted_version "$2")
  [ -z "$want" ] || [ "$have" = "$2 $want" ]
}

# Downloads and unpacks (with Debian's patches applied) one source package
# under build/deps/src; prints the unpacked folder. Shared by both targets.
fetch_source() {  # srcpkg version
  local pkg=$1 version=$2 upstream dir log
  upstream=${version#*:}
  upstream=${upstream%-*}
  dir=$src_root/$pkg-$upstream-${version##*-}
  mkdir -p "$src_root"
  (
    flock 9
    if [ ! -f "$dir/.unpacked" ]; then
      cd "$src_root"
      log=$src_root/$pkg.log
      {
        [ -f "${pkg}_${version#*:}.dsc" ] || apt-get source --download-only "$pkg=$version"
        rm -rf "$dir"
        dpkg-source --no-check -x "${pkg}_${version#*:}.dsc" "$dir"
      } >"$log" 2>&1 || { tail -20 "$log" >&2; exit 1; }
      touch "$dir/.unpacked"
    fi
  ) 9>"$src_root/.lock"
  echo "$dir"
}

cmake_cross() {  # source build-dir extra-args...
  local source=$1 build=$2
  shift 2
  cmake -S "$source" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=$processor \
    -DCMAKE_C_COMPILER=$cc -DCMAKE_CXX_COMPILER=$triplet-g++-posix \
    -DCMAKE_RC_COMPILER=$triplet-windres \
    -DCMAKE_FIND_ROOT_PATH="/usr/$triplet;$prefix" \
    -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=NEVER \
    -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY \
    -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY \
    -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$build.log" 2>&1 \
    || { tail -30 "$build.log" >&2; return 1; }
  cmake --build "$build" -j"$jobs" >>"$build.log" 2>&1 \
    && cmake --install "$build" >>"$build.log" 2>&1 \
    || { tail -30 "$build.log" >&2; return 1; }
}

build_libjpeg_turbo() {  # source
  local simd=ON
  command -v nasm >/dev/null || simd=OFF
  cmake_cross "$1" "$work/libjpeg-turbo" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_TURBOJPEG=OFF -DWITH_SIMD=$simd -DCMAKE_ASM_NASM_COMPILER=nasm
  grep -q "SIMD extensions: .*(WITH_SIMD = 1)" "$work/libjpeg-turbo.log" 2>/dev/null \
    && echo "  libjpeg-turbo: SIMD on" || echo "  libjpeg-turbo: SIMD $(grep -m1 'SIMD' "$work/libjpeg-turbo.log" || echo off)"
}

build_libpng() {  # source
  cmake_cross "$1" "$work/libpng" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DZLIB_LIBRARY="$zlib_lib" -DZLIB_INCLUDE_DIR="$zlib_include"
}

# giflib ships only a Makefile: compile the library sources and archive them.
build_giflib() {  # source
  local source=$1 out=$work/giflib objects=() f
  rm -rf "$out" && mkdir -p "$out"
  for f in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray; do
    $cc -O2 -Wall -c "$source/$f.c" -o "$out/$f.o"
    objects+=("$out/$f.o")
  done
  mkdir -p "$prefix/lib" "$prefix/include"
  rm -f "$prefix/lib/libgif.a"
  $triplet-ar rcs "$prefix/lib/libgif.a" "${objects[@]}"
  install -m 644 "$source/gif_lib.h" "$prefix/include/gif_lib.h"
}

# libtiff with the compressions pictures are met with: none, PackBits, LZW,
# CCITT fax, Deflate (zlib) and JPEG (the libjpeg built above); the rare
# scientific and old ones stay out of the programs.
build_libtiff() {  # source
  cmake_cross "$1" "$work/libtiff" -DBUILD_SHARED_LIBS=OFF -Dtiff-tools=OFF -Dtiff-tests=OFF \
    -Dtiff-contrib=OFF -Dtiff-docs=OFF -Dtiff-deprecated=OFF -Dcxx=OFF \
    -Dzlib=ON -Djpeg=ON -Dold-jpeg=OFF -Djpeg12=OFF -Dlibdeflate=OFF -Djbig=OFF -Dlerc=OFF -Dlzma=OFF \
    -Dzstd=OFF -Dwebp=OFF -Dlogluv=OFF -Dpixarlog=OFF -Dnext=OFF -Dthunder=OFF -Dmdi=OFF \
    -DZLIB_LIBRARY="$zlib_lib" -DZLIB_INCLUDE_DIR="$zlib_include" \
    -DJPEG_LIBRARY="$prefix/lib/libjpeg.a" -DJPEG_INCLUDE_DIR="$prefix/include"
}

build_liblzma() {  # source
  cmake_cross "$1" "$work/liblzma" -DBUILD_SHARED_LIBS=OFF -DENABLE_NLS=OFF
}

started=$SECONDS
built=0
mkdir -p "$stamps" "$work"
for entry in "${libraries[@]}"; do
  IFS=: read -r name pkg file <<<"$entry"
  if [ "$pkg" = - ]; then
    [ -f "$file" ] || { echo "missing $file: install libz-mingw-w64-dev (scripts/setup.sh)" >&2; exit 1; }
    continue
  fi
  up_to_date "$name" "$pkg" "$file" && continue
  version=$(wanted_version "$pkg")
  [ -n "$version" ] || { echo "no deb-src entry for $pkg: run scripts/setup.sh" >&2; exit 1; }
  echo "building $name $version for $triplet"
  source_dir=$(fetch_source "$pkg" "$version")
  "build_${name//-/_}" "$source_dir"
  echo "$pkg $version" >"$stamps/$name.stamp"
  built=1
done
if [ $built = 1 ]; then
  echo "deps for $triplet ready in $prefix ($((SECONDS - started)) s)"
fi
