#include "base/dpi.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

// 100 %, 125 %, 150 % and 200 % scaling.
constexpr int kDpis[] = {96, 120, 144, 192};

TEST(Dpi, PointsBecomePixelsAtTheMonitorsDpi) {
  struct Row {
    int points;
    int heights[4];  // at 96, 120, 144 and 192 dpi
  };
  const Row rows[] = {
      {12, {-16, -20, -24, -32}},  // the default description font
      {18, {-24, -30, -36, -48}},  // the default caption font
      {8, {-11, -13, -16, -21}},   // the dialogs' font: 10.67, 13.33, 16 and 21.33 pixels
      {9, {-12, -15, -18, -24}},
      {0, {0, 0, 0, 0}},
  };
  for (const Row& row : rows)
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(base::FontHeightForPoints(row.points, kDpis[i]), row.heights[i]) << row.points << " pt at "
                                                                                  << kDpis[i] << " dpi";
}

TEST(Dpi, LengthsAt96ScaleInProportionAndRoundHalfAwayFromZero) {
  for (int dpi : kDpis) {
    for (int length = -300; length <= 300; ++length) {
      const int scaled = base::ScaleToDpi(length, dpi);
      EXPECT_EQ(base::ScaleToDpi(-length, dpi), -scaled) << "symmetric about zero";
      // Nearest to length × dpi / 96; a half goes away from zero.
      const double exact = length * dpi / 96.0;
      EXPECT_LE(std::abs(scaled - exact), 0.5) << length << " at " << dpi;
      if (std::abs(scaled - exact) == 0.5) {
        EXPECT_GT(std::abs(scaled), std::abs(exact));
      }
    }
  }
  // The dialogs' sizes: 450 by 262 pixels at 96 dpi.
  EXPECT_EQ(base::ScaleToDpi(450, 144), 675);
  EXPECT_EQ(base::ScaleToDpi(262, 120), 328);  // 327.5
  EXPECT_EQ(base::ScaleToDpi(450, 0), 450) << "a DPI the system does not report counts as 96";
  EXPECT_EQ(base::ScaleToDpi(INT_MAX, 192), INT_MAX) << "clamped, not wrapped";
  EXPECT_EQ(base::MulDivRounded(7, 3, 0), 0);
  EXPECT_EQ(base::MulDivRounded(5, 1, -2), -3);
}

}  // namespace
