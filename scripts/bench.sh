#!/usr/bin/env bash
# Runs the benchmarks and writes bench/RESULTS.md: every transition's ticks at
# 1920x1080 and 3840x2160 against a frame memcpy, the JPEG decode and fit
# against djpeg, composing a slide from a 24 MP picture, and the screensaver's
# start, end and peak memory (at 3840x2160, also written to bench/MEMORY.md)
# under wine64 + Xvfb. Ratios are measured in the same run, so they hold on a
# shared machine; the table notes the machine's load.
#
#   scripts/bench.sh            everything (about half an hour)
#   scripts/bench.sh --no-wine  leaves out the Wine timings
set -euo pipefail
cd "$(dirname "$0")/.."
wine=1
[ "${1:-}" = "--no-wine" ] && wine=0

scripts/build.sh >/dev/null
out=build/release/bench-results
rm -rf "$out"
mkdir -p "$out"
python3 - "$out/machine.json" start <<'EOF'
import json, os, sys, platform
model = next((l.split(":", 1)[1].strip() for l in open("/proc/cpuinfo") if l.startswith("model name")), "?")
json.dump({"cpu": model, "cores": os.cpu_count(), "load_start": os.getloadavg()[0], "system": platform.platform()},
          open(sys.argv[1], "w"))
EOF
run() {  # run BENCH [FILTER [RESULT NAME]]
  echo "running $1"
  build/release/bench/$1 --benchmark_filter="${2:-.}" --benchmark_out="$out/${3:-$1}.json" \
    --benchmark_out_format=json >/dev/null
}
# Two passes over the effects, minutes apart: the table keeps each effect's
# fastest ticks and fastest frame copy of the two, so that a burst of other
# work on the machine during one pass does not stand for the effect.
for pass in 1 2; do
  for family in transitions_bench transitions_moves_bench transitions_shapes_bench transitions_grid_bench \
                transitions_stretches_bench; do
    run $family . "$family.pass$pass"
  done
done
run imageformats_bench 'FitVsDjpeg'
run frame_bench 'PrepareItem'
if [ "$wine" = 1 ]; then
  echo "running the Wine timings"
  python3 bench/wine_timings.py "$out/wine.json" >/dev/null
  echo "running the memory benchmark"
  python3 bench/memory_bench.py --json "$out/memory.json" >/dev/null || true  # over budget shows in the table
fi
python3 - "$out/machine.json" <<'EOF'
import json, os, sys
m = json.load(open(sys.argv[1]))
m["load_end"] = os.getloadavg()[0]
json.dump(m, open(sys.argv[1], "w"))
EOF
python3 bench/make_results.py "$out" "$(git rev-parse --short HEAD)" > bench/RESULTS.md
echo "wrote bench/RESULTS.md"
