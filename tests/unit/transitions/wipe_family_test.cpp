// Every band, scan and line wipe at several picture sizes (down to 1x1, and
// long thin ones) and speeds 1..50: the
// completing frame shows the whole picture, the tick count is the one the
// effect's rule gives, and nothing outside the picture rectangle is touched.
#include <gtest/gtest.h>

#include <string>

#include "transition_scene.h"
#include "transitions/transition_engine.h"
#include "transitions/transition_names.h"

namespace {

using transitions::TransitionEngine;
using transitions_test::Scene;

constexpr int kFamily[] = {0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,
                           17,  18,  19,  48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  99,  104, 105,
                           106, 107, 108, 109, 110, 111, 118, 119, 129, 130, 131, 132, 145, 146, 147, 148};
static_assert(std::size(kFamily) == 49);

int CeilDiv(int a, int b) { return (a + b - 1) / b; }

// Ticks up to and including the one that reports completion.
int ExpectedTicks(int number, int w, int h, int step) {
  const int halfX = w / 2 + 1;
  const int halfY = h / 2 + 1;
  switch (number) {
    case 0: case 1: return CeilDiv(h + 50, step) + 1;                   // band down
    case 14: case 15: return CeilDiv(w + 50, step) + 1;                 // band right
    case 18: case 19: return (h + 49) / step + 2;                       // band up
    case 12: case 13: return (w + 49) / step + 2;                       // band left
    case 4: case 5: case 6: case 7: return CeilDiv(w + 50, step) + 1;   // corners from the left
    case 8: case 9: case 10: case 11: return (w + 49) / step + 2;       // corners from the right
    case 2: case 3: return CeilDiv(halfX + 50, step) + 1;               // from center
    case 16: case 17: return (halfX + 49) / step + 2;                   // to center
    case 104: case 111: return h / step + 1;                            // scan down, up
    case 105: case 106: return w / step + 1;                            // scan left, right
    case 107: return halfY / step + 2;                                  // to center, rows
    case 108: return halfX / step + 2;
    case 109: return halfY / step + 1;                                  // to edge, rows
    case 110: return halfX / step + 1;
    case 118: return h / 10 == 0 ? 1 : (w + step) / step + 2;           // shutter, row bars
    case 119: return w / 10 == 0 ? 1 : h / step + 2;                    // shutter, column bars
    case 129: return CeilDiv(h + 400, 20) + 1;                          // sweep down
    case 131: return CeilDiv(w + 400, 20) + 1;
    case 132: return (h + 819) / 20 + 2;                                // sweep up
    case 130: return (w + 819) / 20 + 2;
    case 145: case 146: case 147: case 148: return 21;                  // blinds
    case 48: case 49: case 54: case 55: case 56: return h;              // row lines
    case 50: case 51: case 52: case 53: case 57: case 99: return w;     // column lines
    default: return -1;
  }
}

class WipeFamily : public ::testing::TestWithParam<int> {};

TEST_P(WipeFamily, CompletesExactlyOnTimeWithinThePicture) {
  const int number = GetParam();
  transitions_test::SweepSizesAndSpeeds<Scene>(
      number, [number](int w, int h, int speed) { return ExpectedTicks(number, w, h, speed); },
      transitions_test::OnlyOwnPixels,
      [](const TransitionEngine& engine) { EXPECT_TRUE(engine.State().LineList.empty()); });
}

INSTANTIATE_TEST_SUITE_P(Members, WipeFamily, ::testing::ValuesIn(kFamily),
                         [](const ::testing::TestParamInfo<int>& member) { return "n" + std::to_string(member.param); });

TEST(WipeFamily, EveryMemberHasItsOwnEffect) {
  for (int number : kFamily) {
    Scene scene(30, 30);
    base::SeededRandom random(1);
    TransitionEngine engine(random);
    engine.StartNumber(number, 5, scene.Surfaces());
    EXPECT_FALSE(engine.ShowTimerTimer()) << transitions::TransitionName(number);
  }
}

}  // namespace
