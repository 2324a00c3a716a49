#!/usr/bin/env bash
# The main job on a fresh machine: set up, build everything, play the demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
scripts/demo.sh "$@"
