#!/usr/bin/env bash
# The long soak: a day of slides, natively on the simulated clock (the show
# logic through the fake platform, a few minutes) and under Wine (the real
# screensaver with its timers sped up, some hours), each checking that memory
# and the GDI and USER object counts stay flat from slide to slide. The test
# command runs both in a short form. Uses dist/ (scripts/build.sh) for Wine.
#   scripts/soak.sh [HOURS] [SLIDES]   defaults: 24 simulated hours natively,
#                                      40000 slides under Wine (a day at the
#                                      soak show's 2 s a slide and quick transitions)
set -euo pipefail
cd "$(dirname "$0")/.."
hours=${1:-24}
slides=${2:-40000}

cmake --preset native >/dev/null
cmake --build build/native -j "${SLIDESHOW_JOBS:-$(nproc)}" --target player_tests
native=0
SLIDESHOW_SOAK_HOURS=$hours build/native/tests/unit/player/player_tests --gtest_filter='RunSoak.*' || native=1

wine=0
SLIDESHOW_SOAK_SLIDES=$slides python3 tests/e2e/run.py test_soak.py || wine=1

echo "soak: native $([ $native -eq 0 ] && echo ok || echo FAILED), wine $([ $wine -eq 0 ] && echo ok || echo FAILED)"
[ $native -eq 0 ] && [ $wine -eq 0 ]
