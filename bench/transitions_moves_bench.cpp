// Per-tick cost of the move and two-bar effects on full-screen pictures; every
// tick is one or two block copies.
#include "transition_ticks.h"

namespace {

constexpr int kFamily[] = {59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77,
                           78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 133, 134, 135, 136, 137, 138, 139, 140};

}  // namespace

int main(int argc, char** argv) { return transition_bench::RunFamily(argc, argv, kFamily); }
