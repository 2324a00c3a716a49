// A region: a set of pixels kept as y-x banded rectangles. The rectangles are
// sorted by top, then left; rectangles with the same top form a band and share
// its bottom; inside a band they never touch or overlap; vertically adjacent
// bands with the same x-spans are merged. This makes the form canonical, so two
// regions covering the same pixels compare equal.
//
// Coverage follows GDI: a rectangle covers its left and top edges, not its right
// and bottom ones. Coordinates are limited to +-kCoordLimit (GDI clamps likewise);
// larger values are clamped.
#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

#include "raster/geometry.h"

namespace raster {

enum class FillMode { Alternate, Winding };
// And = intersect, Or = unite, Diff = first minus second, Xor, Copy = the first.
enum class CombineMode { And, Or, Diff, Xor, Copy };
// Empty, one rectangle, more than one rectangle (GDI's NULLREGION, SIMPLEREGION,
// COMPLEXREGION).
enum class RegionKind { Null, Simple, Complex };

class Region {
 public:
  static constexpr int kCoordLimit = 1 << 27;

  Region() = default;  // empty

  // The rectangle with its corners put in order (reversed edges are swapped).
  static Region FromRect(const Rect& rect);
  // The union of the rectangles; each is put in order first.
  static Region FromRects(std::span<const Rect> rects);
  // The pixels whose centres (x + 0.5, y + 0.5) lie inside the closed polygon
  // under the fill rule. Fewer than three points give an empty region.
  static Region FromPolygon(std::span<const Point> points, FillMode mode);
  // The ellipse inscribed in the rectangle (put in order first): the pixels
  // whose centres lie inside or on it. Symmetric about both axes of the rectangle.
  static Region FromEllipse(const Rect& rect);
  // The same shapes cut to `window`: equal to FromPolygon(...).Intersect(window)
  // and FromEllipse(...).Intersect(window), but only the window's rows are
  // scanned, so a shape reaching far past the window stays cheap.
  static Region FromPolygon(std::span<const Point> points, FillMode mode, const Rect& window);
  static Region FromEllipse(const Rect& rect, const Rect& window);

  // CombineRgn: a result from two operands.
  static Region Combine(const Region& a, const Region& b, CombineMode mode);
  Region Intersect(const Region& other) const { return Combine(*this, other, CombineMode::And); }
  Region Intersect(const Rect& rect) const;
  Region Unite(const Region& other) const { return Combine(*this, other, CombineMode::Or); }
  Region Subtract(const Region& other) const { return Combine(*this, other, CombineMode::Diff); }
  Region Xor(const Region& other) const { return Combine(*this, other, CombineMode::Xor); }

  // Moves every rectangle (OffsetRgn).
  void Offset(int dx, int dy);
  Region Offsetted(int dx, int dy) const;

  bool IsEmpty() const { return rects_.empty(); }
  RegionKind Kind() const;
  // The smallest rectangle holding the region; (0,0,0,0) when empty.
  Rect Bounds() const { return bounds_; }
  bool Contains(int x, int y) const;
  // The banded rectangles, sorted by top then left.
  const std::vector<Rect>& Rects() const { return rects_; }
  // Pixel count (for tests and statistics).
  long long Area() const;

  // Calls f(const Rect&) for every non-empty piece of the region inside `window`,
  // in band order. Skips bands above the window by binary search.
  template <class F>
  void ForEachRectIn(const Rect& window, F&& f) const {
    if (window.IsEmpty()) return;
    for (std::size_t i = FirstRectBelow(window.top); i < rects_.size(); ++i) {
      const Rect& r = rects_[i];
      if (r.top >= window.bottom) break;
      const Rect piece = r.Intersect(window);
      if (!piece.IsEmpty()) f(piece);
    }
  }

  // Calls f(top, bottom, first, last) for every band that meets `window`, with
  // [top, bottom) the band's rows inside the window and [first, last) its
  // rectangles (not yet cut to the window's columns).
  template <class F>
  void ForEachBandIn(const Rect& window, F&& f) const {
    if (window.IsEmpty()) return;
    std::size_t i = FirstRectBelow(window.top);
    while (i < rects_.size() && rects_[i].top < window.bottom) {
      std::size_t end = i + 1;
      while (end < rects_.size() && rects_[end].top == rects_[i].top) ++end;
      f(std::max(rects_[i].top, window.top), std::min(rects_[i].bottom, window.bottom), rects_.data() + i,
        rects_.data() + end);
      i = end;
    }
  }

  friend bool operator==(const Region& a, const Region& b) { return a.rects_ == b.rects_; }

 private:
  friend class RegionBuilder;
  // Index of the first rectangle whose bottom is below y.
  std::size_t FirstRectBelow(int y) const;

  std::vector<Rect> rects_;
  Rect bounds_;
};

}  // namespace raster
