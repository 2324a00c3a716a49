#!/usr/bin/env bash
# Builds every libFuzzer target and runs each for SECONDS (default 20) on its
# corpus, starting from the seeds under fuzz/seeds/NAME and those the unit tests
# write to build/fuzz-seeds/NAME (run the tests first to have them); any crash,
# leak or sanitizer report fails the run. A longer campaign is the same command
# with more seconds (scripts/fuzz.sh 3600); a second argument keeps only the
# targets whose name contains it (scripts/fuzz.sh 600 imageformats_psd).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
only=${2:-}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "${SLIDESHOW_JOBS:-$(nproc)}"
failed=0
passed=0
for target in build/fuzz/fuzzers/*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  [[ $name == *"$only"* ]] || continue
  corpus=build/fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds+=("fuzz/seeds/$name")
  [ -d "build/fuzz-seeds/$name" ] && seeds+=("build/fuzz-seeds/$name")
  if "$target" -max_total_time="$seconds" -rss_limit_mb=4096 -print_final_stats=0 \
      -artifact_prefix="build/fuzz/$name-" "$corpus" "${seeds[@]}" \
      >"build/fuzz/$name.log" 2>&1; then
    echo "fuzz $name: no finding in ${seconds}s"
    passed=$((passed + 1))
  else
    echo "fuzz $name: FINDING, see build/fuzz/$name.log"; tail -n 30 "build/fuzz/$name.log"
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
