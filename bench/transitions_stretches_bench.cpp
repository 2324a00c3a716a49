// Per-tick cost of the stretch, roll, rain, growing-rectangle and comb effects
// on full-screen pictures: stretches and rains resample up to the whole
// picture every tick, rolls and grows copy only what a tick changes, the
// column comb interleaves every column pixel by pixel.
#include "transition_ticks.h"

namespace {

constexpr int kFamily[] = {22,  23,  95,  96,  97,  98,  100, 101, 102, 103, 112, 113, 114,
                           115, 116, 117, 120, 121, 122, 123, 124, 125, 126, 127, 128};

}  // namespace

int main(int argc, char** argv) { return transition_bench::RunFamily(argc, argv, kFamily); }
