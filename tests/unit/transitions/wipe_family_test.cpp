// Every band, scan and line wipe at several picture sizes (down to 1x1, and
// long thin ones) and speeds 1..50: it completes, the completing frame shows
// the whole picture, and nothing outside the picture rectangle is touched.
// The tick counts are checked by the worked examples and the mirror pairs.
#include <gtest/gtest.h>

#include <string>

#include "transition_scene.h"
#include "transitions/transition_engine.h"

namespace {

using transitions::TransitionEngine;
using transitions_test::Scene;

constexpr int kFamily[] = {0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,
                           17,  18,  19,  48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  99,  104, 105,
                           106, 107, 108, 109, 110, 111, 118, 119, 129, 130, 131, 132, 145, 146, 147, 148};
static_assert(std::size(kFamily) == 49);

// The window blinds take 20 drawing ticks and the one that ends, whatever the
// picture and the speed.
int FixedTicks(int number) { return number >= 145 && number <= 148 ? 21 : 0; }

class WipeFamily : public ::testing::TestWithParam<int> {};

TEST_P(WipeFamily, CompletesWithinThePicture) {
  const int number = GetParam();
  transitions_test::SweepSizesAndSpeeds<Scene>(
      number, transitions_test::OnlyOwnPixels,
      [](const TransitionEngine& engine) { EXPECT_TRUE(engine.State().LineList.empty()); }, FixedTicks(number));
}

INSTANTIATE_TEST_SUITE_P(Members, WipeFamily, ::testing::ValuesIn(kFamily),
                         [](const ::testing::TestParamInfo<int>& m) { return "n" + std::to_string(m.param); });

}  // namespace
