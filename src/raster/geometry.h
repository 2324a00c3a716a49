// Points and rectangles in GDI's convention: a rectangle covers its left and top
// edges but not its right and bottom ones.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace raster {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static Rect FromSize(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }
  // Width and height of rectangles from ordinary drawing; a rectangle spanning
  // more than the int range must be clipped first.
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  Rect Normalized() const {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
  }
  Rect Intersect(const Rect& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
  }
  // Moves the rectangle; coordinates saturate at the int range instead of wrapping.
  Rect Offset(int dx, int dy) const {
    return {Saturate(int64_t{left} + dx), Saturate(int64_t{top} + dy), Saturate(int64_t{right} + dx),
            Saturate(int64_t{bottom} + dy)};
  }
  friend bool operator==(const Rect&, const Rect&) = default;

 private:
  static int Saturate(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
  }
};

}  // namespace raster
