// Per-tick cost of the band, scan and line wipes on full-screen pictures.
#include "transition_ticks.h"

namespace {

constexpr int kFamily[] = {0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,
                           17,  18,  19,  48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  99,  104, 105,
                           106, 107, 108, 109, 110, 111, 118, 119, 129, 130, 131, 132, 145, 146, 147, 148};

}  // namespace

int main(int argc, char** argv) { return transition_bench::RunFamily(argc, argv, kFamily); }
