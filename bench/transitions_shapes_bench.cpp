// Per-tick cost of the shape reveals on full-screen pictures; every tick builds
// the frame's shape and the previous one as regions and copies their difference.
#include "transition_ticks.h"

namespace {

constexpr int kFamily[] = {32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 91,
                           92, 93, 94, 141, 142, 143, 144, 149, 150, 151, 152, 153, 154, 155, 156};

}  // namespace

int main(int argc, char** argv) { return transition_bench::RunFamily(argc, argv, kFamily); }
