#include "raster/region.h"

#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "pixel_mask.h"

namespace raster {
namespace {

using testing::EllipseMask;
using testing::ExpectCanonical;
using testing::MaskOf;
using testing::PolygonMask;

const Rect kWindow{-8, -8, 40, 40};

TEST(RegionRect, CoversLeftAndTopEdgesOnly) {
  const Region r = Region::FromRect({2, 3, 5, 7});
  EXPECT_TRUE(r.Contains(2, 3));
  EXPECT_TRUE(r.Contains(4, 6));
  EXPECT_FALSE(r.Contains(5, 3));
  EXPECT_FALSE(r.Contains(2, 7));
  EXPECT_FALSE(r.Contains(1, 3));
  EXPECT_EQ(r.Kind(), RegionKind::Simple);
  EXPECT_EQ(r.Bounds(), (Rect{2, 3, 5, 7}));
  EXPECT_EQ(r.Area(), 12);
}

TEST(RegionRect, ReversedEdgesArePutInOrder) {
  const Region normal = Region::FromRect({2, 3, 5, 7});
  EXPECT_EQ(Region::FromRect({5, 7, 2, 3}), normal);
  EXPECT_EQ(Region::FromRect({5, 3, 2, 7}), normal);
  EXPECT_EQ(Region::FromRect({2, 7, 5, 3}), normal);
}

TEST(RegionRect, ZeroWidthOrHeightIsEmpty) {
  for (const Rect r : {Rect{3, 3, 3, 9}, Rect{3, 3, 9, 3}, Rect{0, 0, 0, 0}}) {
    const Region region = Region::FromRect(r);
    EXPECT_TRUE(region.IsEmpty());
    EXPECT_EQ(region.Kind(), RegionKind::Null);
    EXPECT_EQ(region.Bounds(), Rect{});
    EXPECT_FALSE(region.Contains(3, 3));
  }
}

TEST(RegionRect, HugeCoordinatesAreClampedNotOverflowed) {
  const Region r = Region::FromRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  const int lim = Region::kCoordLimit;
  EXPECT_EQ(r.Bounds(), (Rect{-lim, -lim, lim, lim}));
  EXPECT_TRUE(r.Contains(0, 0));
  Region moved = r;
  moved.Offset(INT_MAX, INT_MAX);  // everything is pushed against the limit: nothing left
  EXPECT_TRUE(moved.IsEmpty());
  Region small = Region::FromRect({0, 0, 10, 10});
  small.Offset(INT_MIN, 0);
  EXPECT_TRUE(small.IsEmpty());
}

TEST(RegionRects, UnionOfOverlappingAndTouchingRectangles) {
  const std::vector<Rect> rects{{0, 0, 4, 4}, {4, 0, 8, 4}, {2, 2, 6, 10}, {20, 20, 18, 18}};
  const Region r = Region::FromRects(rects);
  ExpectCanonical(r);
  const auto expected = testing::Mask::FromPredicate(kWindow, [&](int x, int y) {
    for (const Rect& q : rects)
      if (q.Normalized().Contains(x, y)) return true;
    return false;
  });
  EXPECT_EQ(MaskOf(r, kWindow), expected);
  EXPECT_EQ(r.Rects().size(), 3u);  // (0,0,8,4) (2,4,6,10) (18,18,20,20)
}

TEST(RegionPolygon, FewerThanThreePointsOrNoAreaIsEmpty) {
  const std::vector<Point> two{{0, 0}, {10, 10}};
  const std::vector<Point> line{{0, 0}, {5, 5}, {10, 10}};
  const std::vector<Point> flat{{0, 4}, {10, 4}, {5, 4}};
  EXPECT_TRUE(Region::FromPolygon({}, FillMode::Winding).IsEmpty());
  EXPECT_TRUE(Region::FromPolygon(two, FillMode::Winding).IsEmpty());
  EXPECT_TRUE(Region::FromPolygon(line, FillMode::Alternate).IsEmpty());
  EXPECT_TRUE(Region::FromPolygon(flat, FillMode::Winding).IsEmpty());
}

TEST(RegionPolygon, AxisAlignedPolygonEqualsRectangle) {
  const std::vector<Point> clockwise{{1, 2}, {9, 2}, {9, 7}, {1, 7}};
  const std::vector<Point> anticlockwise{{1, 2}, {1, 7}, {9, 7}, {9, 2}};
  for (auto mode : {FillMode::Alternate, FillMode::Winding}) {
    EXPECT_EQ(Region::FromPolygon(clockwise, mode), Region::FromRect({1, 2, 9, 7}));
    EXPECT_EQ(Region::FromPolygon(anticlockwise, mode), Region::FromRect({1, 2, 9, 7}));
  }
}

TEST(RegionPolygon, PentagramHasHoleOnlyUnderAlternateRule) {
  const std::vector<Point> star{{16, 0}, {26, 31}, {0, 12}, {32, 12}, {6, 31}};
  const Region alternate = Region::FromPolygon(star, FillMode::Alternate);
  const Region winding = Region::FromPolygon(star, FillMode::Winding);
  ExpectCanonical(alternate);
  ExpectCanonical(winding);
  EXPECT_FALSE(alternate.Contains(16, 17));  // the centre pentagon
  EXPECT_TRUE(winding.Contains(16, 17));
  EXPECT_EQ(MaskOf(alternate, kWindow), PolygonMask(star, FillMode::Alternate, kWindow));
  EXPECT_EQ(MaskOf(winding, kWindow), PolygonMask(star, FillMode::Winding, kWindow));
}

TEST(RegionPolygon, RightTriangleUsesPixelCentres) {
  // Hypotenuse from (0,0) to (4,4): row y holds the pixels whose centre lies
  // left of x = y + 0.5, i.e. x = 0 .. y - 1; a centre exactly on a right-hand
  // edge is outside, one on a left-hand edge inside.
  const std::vector<Point> tri{{0, 0}, {0, 4}, {4, 4}};
  const Region r = Region::FromPolygon(tri, FillMode::Winding);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(r.Contains(x, y), x < y) << x << "," << y;
  EXPECT_EQ(r.Area(), 6);
  const std::vector<Point> mirrored{{4, 0}, {4, 4}, {0, 4}};  // hypotenuse now a left-hand edge
  EXPECT_EQ(Region::FromPolygon(mirrored, FillMode::Winding).Area(), 10);
}

TEST(RegionEllipse, OnePixelAndEmptyRectangles) {
  EXPECT_EQ(Region::FromEllipse({5, 5, 6, 6}), Region::FromRect({5, 5, 6, 6}));
  EXPECT_TRUE(Region::FromEllipse({5, 5, 5, 9}).IsEmpty());
  EXPECT_TRUE(Region::FromEllipse({}).IsEmpty());
}

TEST(RegionEllipse, ReversedRectangleAndSymmetry) {
  const Region e = Region::FromEllipse({3, 2, 20, 11});
  EXPECT_EQ(Region::FromEllipse({20, 11, 3, 2}), e);
  ExpectCanonical(e);
  EXPECT_EQ(MaskOf(e, kWindow), EllipseMask({3, 2, 20, 11}, kWindow));
  for (int y = 2; y < 11; ++y)
    for (int x = 3; x < 20; ++x) {
      EXPECT_EQ(e.Contains(x, y), e.Contains(3 + 19 - x, y));
      EXPECT_EQ(e.Contains(x, y), e.Contains(x, 2 + 10 - y));
    }
  // The widest row reaches both edges, the middle column both ends.
  EXPECT_TRUE(e.Contains(3, 6));
  EXPECT_TRUE(e.Contains(19, 6));
  EXPECT_TRUE(e.Contains(11, 2));
  EXPECT_TRUE(e.Contains(11, 10));
  EXPECT_FALSE(e.Contains(3, 2));
}

TEST(RegionCombine, SetOperationsOnTwoSquares) {
  const Region a = Region::FromRect({0, 0, 10, 10});
  const Region b = Region::FromRect({5, 5, 15, 15});
  EXPECT_EQ(a.Intersect(b), Region::FromRect({5, 5, 10, 10}));
  EXPECT_EQ(a.Unite(b).Area(), 175);
  EXPECT_EQ(a.Unite(b).Rects().size(), 3u);
  EXPECT_EQ(a.Subtract(b).Area(), 75);
  EXPECT_EQ(a.Xor(b).Area(), 150);
  EXPECT_EQ(Region::Combine(a, b, CombineMode::Copy), a);
  EXPECT_EQ(a.Xor(a), Region{});
  EXPECT_EQ(a.Subtract(a), Region{});
}

TEST(RegionCombine, HoleAndReunion) {
  const Region outer = Region::FromRect({0, 0, 9, 9});
  const Region hole = Region::FromRect({3, 3, 6, 6});
  const Region ring = outer.Subtract(hole);
  ExpectCanonical(ring);
  EXPECT_EQ(ring.Rects().size(), 4u);
  EXPECT_EQ(ring.Kind(), RegionKind::Complex);
  EXPECT_FALSE(ring.Contains(4, 4));
  EXPECT_EQ(ring.Unite(hole), outer);  // merged back into one rectangle
  EXPECT_EQ(ring.Unite(hole).Kind(), RegionKind::Simple);
}

TEST(RegionCombine, EmptyOperands) {
  const Region a = Region::FromRect({0, 0, 4, 4});
  const Region empty;
  EXPECT_EQ(a.Unite(empty), a);
  EXPECT_EQ(empty.Unite(a), a);
  EXPECT_TRUE(a.Intersect(empty).IsEmpty());
  EXPECT_EQ(a.Subtract(empty), a);
  EXPECT_TRUE(empty.Subtract(a).IsEmpty());
  EXPECT_EQ(empty.Xor(a), a);
  EXPECT_TRUE(Region::Combine(empty, a, CombineMode::Copy).IsEmpty());
}

TEST(RegionCombine, IntersectWithRectangleMatchesRegionIntersect) {
  const std::vector<Point> star{{16, 0}, {26, 31}, {0, 12}, {32, 12}, {6, 31}};
  const Region shape = Region::FromPolygon(star, FillMode::Alternate);
  for (const Rect r : {Rect{0, 0, 32, 32}, Rect{5, 5, 20, 14}, Rect{20, 14, 5, 5}, Rect{40, 40, 50, 50},
                       Rect{-5, 10, 100, 11}}) {
    const Region viaRect = shape.Intersect(r);
    ExpectCanonical(viaRect);
    EXPECT_EQ(viaRect, shape.Intersect(Region::FromRect(r)));
  }
}

TEST(RegionOffset, MovesEveryRectangle) {
  Region r = Region::FromEllipse({0, 0, 12, 8});
  const Region before = r;
  r.Offset(-7, 30);
  EXPECT_EQ(r.Bounds(), before.Bounds().Offset(-7, 30));
  for (int y = -2; y < 10; ++y)
    for (int x = -2; x < 14; ++x) EXPECT_EQ(before.Contains(x, y), r.Contains(x - 7, y + 30));
  EXPECT_EQ(r.Offsetted(7, -30), before);
  Region empty;
  empty.Offset(5, 5);
  EXPECT_TRUE(empty.IsEmpty());
}

TEST(RegionQuery, ForEachRectInVisitsOnlyPiecesInsideTheWindow) {
  const Region ring = Region::FromRect({0, 0, 9, 9}).Subtract(Region::FromRect({3, 3, 6, 6}));
  std::vector<Rect> pieces;
  ring.ForEachRectIn({4, 4, 20, 8}, [&](const Rect& r) { pieces.push_back(r); });
  const std::vector<Rect> expected{{6, 4, 9, 6}, {4, 6, 9, 8}};
  EXPECT_EQ(pieces, expected);
  pieces.clear();
  ring.ForEachRectIn({4, 4, 4, 8}, [&](const Rect& r) { pieces.push_back(r); });
  EXPECT_TRUE(pieces.empty());
}

}  // namespace
}  // namespace raster
