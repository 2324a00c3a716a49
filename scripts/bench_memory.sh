#!/usr/bin/env bash
# The memory benchmark: peak working set of the screensaver showing 24 MP
# pictures at 3840 x 2160 under Wine, against three screen frames + one decoded
# picture + 32 MB. Writes bench/MEMORY.md (which bench/RESULTS.md may include).
# Uses the programs in dist/ (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
python3 bench/memory_bench.py "$@"
