#!/usr/bin/env bash
# Sets up the machine and runs every test: the native unit tests (ASan and
# UBSan), the fuzz targets for a short while, and the end-to-end tests of the
# Windows programs under wine64 and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${SLIDESHOW_JOBS:-$(nproc)}

scripts/setup.sh
scripts/build.sh

cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
unit=0
ctest --preset native -j "$jobs" || unit=1

fuzz=0
scripts/fuzz.sh "${SLIDESHOW_FUZZ_SECONDS:-20}" || fuzz=1

e2e=0
python3 tests/e2e/run.py || e2e=1

echo "unit: $([ $unit -eq 0 ] && echo ok || echo FAILED), fuzz: $([ $fuzz -eq 0 ] && echo ok || echo FAILED)," \
     "e2e: $([ $e2e -eq 0 ] && echo ok || echo FAILED)"
[ $unit -eq 0 ] && [ $fuzz -eq 0 ] && [ $e2e -eq 0 ]
