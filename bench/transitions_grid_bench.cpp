// Per-tick cost of the grid, cell and dissolve effects on full-screen
// pictures: cells and boxes are block copies of what a tick adds, the
// dissolve copies about a sixth of the picture's pixels one by one per tick.
#include "transition_ticks.h"

namespace {

constexpr int kFamily[] = {20, 21, 24, 25, 26, 27, 28, 29, 30, 31, 47, 58, 89, 90, 157, 158, 159, 160};

}  // namespace

int main(int argc, char** argv) { return transition_bench::RunFamily(argc, argv, kFamily); }
