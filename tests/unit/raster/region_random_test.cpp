// Region constructors and set operations checked against per-pixel masks on
// randomly generated shapes (fixed seeds).
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "pixel_mask.h"
#include "raster/region.h"

namespace raster {
namespace {

using testing::Mask;
using testing::MaskOf;

const Rect kWindow{-12, -12, 60, 60};

struct Shape {
  Region region;
  Mask mask{kWindow};
};

class ShapeMaker {
 public:
  explicit ShapeMaker(unsigned seed) : rng_(seed) {}

  // Every shape stays inside kWindow.
  int Coord() { return std::uniform_int_distribution<int>(-8, 56)(rng_); }

  Shape Make() {
    switch (std::uniform_int_distribution<int>(0, 4)(rng_)) {
      case 0: {
        const Rect r{Coord(), Coord(), Coord(), Coord()};  // often reversed
        return {Region::FromRect(r), testing::RectMask(r, kWindow)};
      }
      case 1: {
        const Rect r{Coord(), Coord(), Coord(), Coord()};
        return {Region::FromEllipse(r), testing::EllipseMask(r, kWindow)};
      }
      case 2:
      case 3: {
        const auto mode = std::uniform_int_distribution<int>(0, 1)(rng_) ? FillMode::Winding : FillMode::Alternate;
        std::vector<Point> pts(static_cast<size_t>(std::uniform_int_distribution<int>(3, 8)(rng_)));
        for (Point& p : pts) p = {Coord(), Coord()};
        return {Region::FromPolygon(pts, mode), testing::PolygonMask(pts, mode, kWindow)};
      }
      default: {
        // A union of a few small rectangles: many bands and spans.
        Shape s{Region{}, Mask(kWindow)};
        for (int i = 0; i < 6; ++i) {
          const int x = std::uniform_int_distribution<int>(-8, 44)(rng_);
          const int y = std::uniform_int_distribution<int>(-8, 44)(rng_);
          const Rect r{x, y, x + std::uniform_int_distribution<int>(1, 12)(rng_),
                       y + std::uniform_int_distribution<int>(1, 12)(rng_)};
          s.region = s.region.Unite(Region::FromRect(r));
          s.mask = s.mask.Combine(testing::RectMask(r, kWindow), [](bool a, bool b) { return a || b; });
        }
        return s;
      }
    }
  }

  std::mt19937& Rng() { return rng_; }

 private:
  std::mt19937 rng_;
};

TEST(RegionRandom, ConstructorsMatchPerPixelDefinitions) {
  ShapeMaker maker(20240611);
  for (int i = 0; i < 400; ++i) {
    const Shape s = maker.Make();
    ASSERT_NO_FATAL_FAILURE(testing::ExpectCanonical(s.region)) << "shape " << i;
    ASSERT_EQ(MaskOf(s.region, kWindow), s.mask) << "shape " << i;
    ASSERT_EQ(s.region.Area(), s.mask.Count()) << "shape " << i;
  }
}

TEST(RegionRandom, ShapesCutToAWindowEqualTheIntersectedShapes) {
  ShapeMaker maker(20261208);
  for (int i = 0; i < 300; ++i) {
    const Rect r{maker.Coord(), maker.Coord(), maker.Coord(), maker.Coord()};
    const Rect window{maker.Coord(), maker.Coord(), maker.Coord(), maker.Coord()};  // often reversed or empty
    const Rect cut = window.Normalized();
    ASSERT_EQ(Region::FromEllipse(r, window), Region::FromEllipse(r).Intersect(cut)) << "ellipse " << i;
    std::vector<Point> pts(static_cast<size_t>(3 + i % 5));
    for (Point& p : pts) p = {maker.Coord(), maker.Coord()};
    for (const FillMode mode : {FillMode::Alternate, FillMode::Winding}) {
      const Region windowed = Region::FromPolygon(pts, mode, window);
      ASSERT_NO_FATAL_FAILURE(testing::ExpectCanonical(windowed)) << "polygon " << i;
      ASSERT_EQ(windowed, Region::FromPolygon(pts, mode).Intersect(cut)) << "polygon " << i;
    }
  }
}

TEST(RegionRandom, SetOperationsMatchMaskOperations) {
  struct Op {
    CombineMode mode;
    bool (*keep)(bool, bool);
  };
  const Op ops[] = {{CombineMode::And, [](bool a, bool b) { return a && b; }},
                    {CombineMode::Or, [](bool a, bool b) { return a || b; }},
                    {CombineMode::Diff, [](bool a, bool b) { return a && !b; }},
                    {CombineMode::Xor, [](bool a, bool b) { return a != b; }},
                    {CombineMode::Copy, [](bool a, bool) { return a; }}};
  ShapeMaker maker(7);
  for (int i = 0; i < 300; ++i) {
    const Shape a = maker.Make(), b = maker.Make();
    for (const Op& op : ops) {
      const Region r = Region::Combine(a.region, b.region, op.mode);
      ASSERT_NO_FATAL_FAILURE(testing::ExpectCanonical(r)) << "pair " << i;
      ASSERT_EQ(MaskOf(r, kWindow), a.mask.Combine(b.mask, op.keep))
          << "pair " << i << " mode " << static_cast<int>(op.mode);
    }
  }
}

TEST(RegionRandom, AlgebraicIdentitiesGiveEqualRegions) {
  ShapeMaker maker(99);
  for (int i = 0; i < 200; ++i) {
    const Shape a = maker.Make(), b = maker.Make(), c = maker.Make();
    const Region& A = a.region;
    const Region& B = b.region;
    const Region& C = c.region;
    ASSERT_EQ(A.Xor(B), A.Subtract(B).Unite(B.Subtract(A))) << i;
    ASSERT_EQ(A.Unite(B), B.Unite(A)) << i;
    ASSERT_EQ(A.Intersect(B.Unite(C)), A.Intersect(B).Unite(A.Intersect(C))) << i;
    ASSERT_EQ(A.Subtract(B).Unite(A.Intersect(B)), A) << i;
    ASSERT_EQ(A.Xor(B).Xor(B), A) << i;
  }
}

TEST(RegionRandom, FromRectsMatchesTheUnionMask) {
  std::mt19937 rng(5);
  auto coord = [&] { return std::uniform_int_distribution<int>(-8, 56)(rng); };
  for (int i = 0; i < 50; ++i) {
    std::vector<Rect> rects(static_cast<size_t>(std::uniform_int_distribution<int>(0, 60)(rng)));
    for (Rect& r : rects) r = {coord(), coord(), coord(), coord()};
    const Region r = Region::FromRects(rects);
    ASSERT_NO_FATAL_FAILURE(testing::ExpectCanonical(r));
    const Mask expected = Mask::FromPredicate(kWindow, [&](int x, int y) {
      for (const Rect& q : rects)
        if (q.Normalized().Contains(x, y)) return true;
      return false;
    });
    ASSERT_EQ(MaskOf(r, kWindow), expected) << "case " << i;
  }
}

TEST(RegionRandom, OffsetMatchesShiftedMask) {
  ShapeMaker maker(31337);
  for (int i = 0; i < 200; ++i) {
    const Shape s = maker.Make();
    const int dx = std::uniform_int_distribution<int>(-20, 20)(maker.Rng());
    const int dy = std::uniform_int_distribution<int>(-20, 20)(maker.Rng());
    const Region moved = s.region.Offsetted(dx, dy);
    ASSERT_NO_FATAL_FAILURE(testing::ExpectCanonical(moved));
    const Rect big{-40, -40, 90, 90};
    const Mask expected = Mask::FromPredicate(big, [&](int x, int y) { return s.mask.Get(x - dx, y - dy); });
    ASSERT_EQ(MaskOf(moved, big), expected) << "shape " << i;
  }
}

}  // namespace
}  // namespace raster
