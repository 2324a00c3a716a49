#!/usr/bin/env bash
# Builds everything (after scripts/setup.sh): the two Windows programs, the
# native showpack and benchmarks, and the end-to-end helper, and lays the
# deliverables out under dist/.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${SLIDESHOW_JOBS:-$(nproc)}

for preset in release win32 win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

mkdir -p dist/win32/.debug dist/win64/.debug dist/tools dist/e2e
# The shipped programs are stripped when they are linked; each one's symbols
# go along into .debug/ beside it (where gdb looks for them).
for preset in win32 win64; do
  for program in player/win32/screensaver.scr installer/win32/installer.exe installer/win32/svremove.exe; do
    built=build/$preset/src/$program
    [ -f "$built" ] || continue
    name=$(basename "$program")
    cp "$built" dist/$preset/
    cp "$(dirname "$built")/.debug/$name.debug" dist/$preset/.debug/
  done
done
cp build/release/tools/showpack/showpack dist/tools/
cp build/win64/tests/e2e/wintool/wintool.exe build/win64/tests/e2e/ddeserver/ddeserver.exe dist/e2e/
echo "built: $(ls dist/win32 dist/win64 dist/tools | tr '\n' ' ')"
