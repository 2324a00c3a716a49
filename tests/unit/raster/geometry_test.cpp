#include "raster/geometry.h"

#include <climits>

#include <gtest/gtest.h>

namespace raster {
namespace {

TEST(Rect, EdgesFollowTheGdiConvention) {
  const Rect r{2, 3, 5, 7};
  EXPECT_TRUE(r.Contains(2, 3));
  EXPECT_FALSE(r.Contains(5, 6));
  EXPECT_FALSE(r.Contains(4, 7));
  EXPECT_TRUE((Rect{5, 7, 2, 3}).IsEmpty());
  EXPECT_EQ((Rect{5, 7, 2, 3}).Normalized(), r);
  EXPECT_TRUE(r.Intersect({5, 0, 9, 9}).IsEmpty());  // touching is not overlapping
}

TEST(Rect, OffsetSaturatesInsteadOfWrapping) {
  EXPECT_EQ((Rect{1, 2, 3, 4}).Offset(-1, 10), (Rect{0, 12, 2, 14}));
  EXPECT_EQ((Rect{INT_MAX - 1, INT_MIN + 1, INT_MAX, 0}).Offset(5, -5),
            (Rect{INT_MAX, INT_MIN, INT_MAX, -5}));
}

}  // namespace
}  // namespace raster
