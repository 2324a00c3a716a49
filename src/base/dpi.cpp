#include "base/dpi.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace base {
namespace {

constexpr int kPointsPerInch = 72;

int UsableDpi(int dpi) { return dpi >= 1 ? dpi : kBaseDpi; }

}  // namespace

int MulDivRounded(int value, int numerator, int denominator) {
  if (denominator == 0) return 0;
  int64_t product = int64_t{value} * numerator;
  int64_t divisor = denominator;
  if (divisor < 0) product = -product, divisor = -divisor;
  const int64_t half = divisor / 2;
  const int64_t quotient = product >= 0 ? (product + half) / divisor : -((-product + half) / divisor);
  return static_cast<int>(std::clamp<int64_t>(quotient, INT_MIN, INT_MAX));
}

int ScaleToDpi(int pixelsAt96, int dpi) { return MulDivRounded(pixelsAt96, UsableDpi(dpi), kBaseDpi); }

int FontHeightForPoints(int points, int dpi) { return -MulDivRounded(points, UsableDpi(dpi), kPointsPerInch); }

}  // namespace base
