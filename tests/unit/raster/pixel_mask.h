// Brute-force references for the raster tests: a per-pixel boolean mask over a
// window, with shapes rasterised pixel by pixel from their definitions.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include <gtest/gtest.h>

#include "raster/geometry.h"
#include "raster/region.h"

namespace raster::testing {

class Mask {
 public:
  explicit Mask(Rect window) : window_(window), bits_(static_cast<size_t>(window.Width() * window.Height())) {}

  const Rect& Window() const { return window_; }
  bool Get(int x, int y) const { return window_.Contains(x, y) && bits_[Index(x, y)]; }
  void Set(int x, int y, bool v) {
    if (window_.Contains(x, y)) bits_[Index(x, y)] = v;
  }
  template <class F>
  static Mask FromPredicate(Rect window, F&& inside) {
    Mask m(window);
    for (int y = window.top; y < window.bottom; ++y)
      for (int x = window.left; x < window.right; ++x) m.Set(x, y, inside(x, y));
    return m;
  }
  template <class F>
  Mask Combine(const Mask& other, F&& op) const {
    return FromPredicate(window_, [&](int x, int y) { return op(Get(x, y), other.Get(x, y)); });
  }
  long long Count() const {
    long long n = 0;
    for (bool b : bits_) n += b;
    return n;
  }
  friend bool operator==(const Mask&, const Mask&) = default;

 private:
  size_t Index(int x, int y) const {
    return static_cast<size_t>((y - window_.top) * window_.Width() + (x - window_.left));
  }
  Rect window_;
  std::vector<bool> bits_;
};

inline Mask MaskOf(const Region& region, Rect window) {
  return Mask::FromPredicate(window, [&](int x, int y) { return region.Contains(x, y); });
}

inline Mask RectMask(Rect r, Rect window) {
  const Rect n = r.Normalized();
  return Mask::FromPredicate(window, [&](int x, int y) { return n.Contains(x, y); });
}

// Pixel centre (x + 0.5, y + 0.5) inside the polygon: edge crossings at or left
// of the centre, counted for the alternate rule and summed by direction for the
// winding rule. All arithmetic is exact in doubled coordinates.
inline Mask PolygonMask(std::span<const Point> pts, FillMode mode, Rect window) {
  return Mask::FromPredicate(window, [&](int x, int y) {
    if (pts.size() < 3) return false;
    const int64_t px = 2 * int64_t{x} + 1, py = 2 * int64_t{y} + 1;
    int crossings = 0, winding = 0;
    for (size_t i = 0; i < pts.size(); ++i) {
      const Point a = pts[i], b = pts[(i + 1) % pts.size()];
      const int64_t ax = 2 * int64_t{a.x}, ay = 2 * int64_t{a.y}, bx = 2 * int64_t{b.x}, by = 2 * int64_t{b.y};
      if ((ay < py) == (by < py)) continue;
      // Crossing at or left of the centre: (py - ay)(bx - ax) / (by - ay) <= px - ax.
      const int64_t lhs = (px - ax) * (by - ay), rhs = (bx - ax) * (py - ay);
      const bool left = by > ay ? rhs <= lhs : rhs >= lhs;
      if (!left) continue;
      ++crossings;
      winding += by > ay ? 1 : -1;
    }
    return mode == FillMode::Alternate ? (crossings % 2 == 1) : winding != 0;
  });
}

// Pixel centre inside or on the ellipse inscribed in the ordered rectangle, in
// exact integers: X²h² + Y²w² <= w²h² with X = 2x + 1 - (l + r), Y likewise.
inline Mask EllipseMask(Rect r, Rect window) {
  const Rect n = r.Normalized();
  return Mask::FromPredicate(window, [&](int x, int y) {
    if (n.IsEmpty()) return false;
    const int64_t w = n.Width(), h = n.Height();
    const int64_t X = 2 * int64_t{x} + 1 - (int64_t{n.left} + n.right);
    const int64_t Y = 2 * int64_t{y} + 1 - (int64_t{n.top} + n.bottom);
    return X * X * h * h + Y * Y * w * w <= w * w * h * h;
  });
}

// The banded form: bands sorted and disjoint in y, spans sorted and not touching
// in a band, equal touching bands merged, bounds exact.
inline void ExpectCanonical(const Region& region) {
  const auto& rects = region.Rects();
  Rect bounds{};
  size_t bandStart = 0;
  for (size_t i = 0; i < rects.size(); ++i) {
    const Rect& r = rects[i];
    ASSERT_FALSE(r.IsEmpty()) << "rect " << i;
    if (i == 0) bounds = r;
    bounds = {std::min(bounds.left, r.left), std::min(bounds.top, r.top), std::max(bounds.right, r.right),
              std::max(bounds.bottom, r.bottom)};
    if (i > 0 && r.top == rects[i - 1].top) {
      ASSERT_EQ(r.bottom, rects[i - 1].bottom) << "rect " << i;
      ASSERT_GT(r.left, rects[i - 1].right) << "rect " << i;
      continue;
    }
    if (i > 0) {
      ASSERT_GE(r.top, rects[i - 1].bottom) << "rect " << i;
      // A new band: the previous one must differ when they touch.
      size_t end = i;
      size_t next = i;
      while (next < rects.size() && rects[next].top == r.top) ++next;
      if (r.top == rects[i - 1].bottom && next - i == end - bandStart) {
        bool same = true;
        for (size_t k = 0; k < next - i; ++k)
          same = same && rects[bandStart + k].left == rects[i + k].left && rects[bandStart + k].right == rects[i + k].right;
        ASSERT_FALSE(same) << "unmerged bands at y " << r.top;
      }
      bandStart = i;
    }
  }
  EXPECT_EQ(region.Bounds(), bounds);
}

}  // namespace raster::testing
