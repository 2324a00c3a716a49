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

mkdir -p dist/win32 dist/win64 dist/tools dist/e2e
cp build/win32/src/player/win32/screensaver.scr dist/win32/
cp build/win64/src/player/win32/screensaver.scr dist/win64/
for preset in win32 win64; do
  if [ -f build/$preset/src/installer/win32/installer.exe ]; then cp build/$preset/src/installer/win32/installer.exe dist/$preset/; fi
done
cp build/release/tools/showpack/showpack dist/tools/
cp build/win64/tests/e2e/wintool/wintool.exe dist/e2e/
echo "built: $(ls dist/win32 dist/win64 dist/tools | tr '\n' ' ')"
