#include "raster/gradient.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "raster/canvas.h"

namespace raster {
namespace {

std::array<int, 3> Channels(ColorRef color) {
  return {static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
          static_cast<int>((color >> 16) & 0xFF)};
}

// Round to nearest, halves to the even neighbour (the default rounding mode).
int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

// Styles 8 to 11: the rectangle inset by r along the longer side and by the
// proportional amount along the shorter one. Its left and right add up to the
// width and its top and bottom to the height, so every shape is centred alike.
Rect ProportionalInset(int width, int height, int r) {
  if (width >= height) {
    const int s = RoundEven(static_cast<double>(r) * height / width);
    return {r, s, width - r, height - s};
  }
  const int s = RoundEven(static_cast<double>(r) * width / height);
  return {s, r, width - s, height - r};
}

// Distance of position i of a line of n pixels from the nearer end.
int EdgeDistance(int i, int n) { return std::min(i, n - 1 - i); }

template <class ColorAt>
std::vector<Pixel> ColorLine(int length, ColorAt colorAt) {
  std::vector<Pixel> line(static_cast<std::size_t>(length));
  for (int i = 0; i < length; ++i) line[static_cast<std::size_t>(i)] = colorAt(i);
  return line;
}

void CopyRow(Bitmap& bitmap, int from, int to) {
  std::memcpy(bitmap.Row(to), bitmap.Row(from), static_cast<std::size_t>(bitmap.Width()) * sizeof(Pixel));
}

// Row y in colors[y].
void PaintRows(Bitmap& bitmap, const std::vector<Pixel>& colors) {
  for (int y = 0; y < bitmap.Height(); ++y)
    std::fill_n(bitmap.Row(y), bitmap.Width(), colors[static_cast<std::size_t>(y)]);
}

// Column x in colors[x]: the first row is the colours, the others copies of it.
void PaintColumns(Bitmap& bitmap, const std::vector<Pixel>& colors) {
  std::copy(colors.begin(), colors.end(), bitmap.Row(0));
  for (int y = 1; y < bitmap.Height(); ++y) CopyRow(bitmap, 0, y);
}

// Sets pixel e from the left and pixel e from the right of a row of `width`.
void SetMirrored(Pixel* row, int width, int e, Pixel color) {
  row[e] = color;
  row[width - 1 - e] = color;
}

// Styles 8 and 9. Rectangle r holds (x, y) exactly when its insets a(r) <= the
// column's distance from the side edges and b(r) <= the row's distance from
// the top and bottom edges; both insets grow with r, so the innermost
// rectangle holding a pixel is min(reachX[edgeX], reachY[edgeY]), where reach
// tells the last r whose inset does not pass a distance.
void PaintNestedRectangles(Bitmap& bitmap, const std::vector<Pixel>& colorOf) {
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  const int last = static_cast<int>(colorOf.size()) - 1;
  const auto reach = [&](int distances, auto insetOf) {
    std::vector<int> result(static_cast<std::size_t>(distances));
    int r = 0;
    for (int e = 0; e < distances; ++e) {
      while (r < last && insetOf(ProportionalInset(w, h, r + 1)) <= e) ++r;
      result[static_cast<std::size_t>(e)] = r;
    }
    return result;
  };
  const std::vector<int> reachX = reach((w + 1) / 2, [](const Rect& rect) { return rect.left; });
  const std::vector<int> reachY = reach((h + 1) / 2, [](const Rect& rect) { return rect.top; });
  int previous = -1;
  for (int y = 0; y < h; ++y) {
    const int rowReach = reachY[static_cast<std::size_t>(EdgeDistance(y, h))];
    if (rowReach == previous) {
      CopyRow(bitmap, y - 1, y);
      continue;
    }
    previous = rowReach;
    // Columns nearer the sides than `k` are limited by their own reach; the
    // middle is all the row's colour.
    const int k = static_cast<int>(std::lower_bound(reachX.begin(), reachX.end(), rowReach) - reachX.begin());
    Pixel* row = bitmap.Row(y);
    for (int e = 0; e < k; ++e) {
      SetMirrored(row, w, e, colorOf[static_cast<std::size_t>(reachX[static_cast<std::size_t>(e)])]);
    }
    if (w - k > k) std::fill(row + k, row + w - k, colorOf[static_cast<std::size_t>(rowReach)]);
  }
}

// Styles 10 and 11: each pixel takes the colour of the innermost ellipse
// holding it, or `ground` outside them all. The ellipses share their centre,
// so on one row ellipse r holds the columns first(r) <= x < width - first(r),
// that is every column whose distance from the side edges is at least
// first(r). The outline follows Region::FromEllipse to the last bit (same
// formula, same operations), and rows mirror about the middle row.
void PaintNestedEllipses(Bitmap& bitmap, const std::vector<Pixel>& colorOf, Pixel ground) {
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  const int last = static_cast<int>(colorOf.size()) - 1;
  std::vector<Rect> shapes;
  for (int r = 0; r <= last; ++r) {
    const Rect n = ProportionalInset(w, h, r).Normalized();
    shapes.push_back(n.IsEmpty() ? Rect{} : n);
  }
  const int half = (w - 1) / 2;  // the largest distance from the side edges
  std::vector<int> innermost(static_cast<std::size_t>(half) + 1);
  for (int y = 0; y <= h - 1 - y; ++y) {
    std::fill(innermost.begin(), innermost.end(), -1);
    for (int r = 0; r <= last; ++r) {
      const Rect& n = shapes[static_cast<std::size_t>(r)];
      if (y < n.top || y >= n.bottom) continue;  // also skips empty shapes
      const double rw = n.Width(), rh = n.Height();
      const int64_t sumX = int64_t{n.left} + n.right;
      const int64_t sumY = int64_t{n.top} + n.bottom;
      const double yy = static_cast<double>(2 * int64_t{y} + 1 - sumY) / rh;
      const double rest = 1.0 - yy * yy;
      if (rest < 0) continue;
      const double xMax = rw * std::sqrt(rest);
      const int64_t first = static_cast<int64_t>(std::ceil((static_cast<double>(sumX - 1) - xMax) / 2));
      if (first > half) continue;  // no column on this row
      innermost[static_cast<std::size_t>(std::max<int64_t>(first, 0))] = r;  // r rises: the innermost wins
    }
    Pixel* row = bitmap.Row(y);
    int shape = -1;
    for (int e = 0; e <= half; ++e) {
      shape = std::max(shape, innermost[static_cast<std::size_t>(e)]);
      SetMirrored(row, w, e, shape < 0 ? ground : colorOf[static_cast<std::size_t>(shape)]);
    }
    if (h - 1 - y != y) CopyRow(bitmap, y, h - 1 - y);
  }
}

}  // namespace

Pixel GradientColor(ColorRef start, ColorRef end, double span, int t) {
  const auto from = Channels(start);
  const auto to = Channels(end);
  std::array<uint8_t, 3> rgb{};
  for (std::size_t c = 0; c < 3; ++c) {
    // The step is held in single precision; t * step is exact in double.
    const float step = span == 0 ? 0.0f : static_cast<float>((to[c] - from[c]) / span);
    const int value = from[c] + RoundEven(static_cast<double>(t) * static_cast<double>(step));
    rgb[c] = static_cast<uint8_t>(std::clamp(value, 0, 255));
  }
  return MakePixel(rgb[0], rgb[1], rgb[2]);
}

void FillGradient(ColorRef start, ColorRef end, int style, Bitmap& bitmap) {
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  if (bitmap.IsEmpty()) return;
  const auto color = [&](double span, int t) { return GradientColor(start, end, span, t); };
  const int m = std::max(w, h) / 2;

  switch (style) {
    case 0:
    case 1:
      PaintRows(bitmap, ColorLine(h, [&](int y) { return color(h, style == 0 ? y : h - y); }));
      break;
    case 2:
    case 3:
      PaintColumns(bitmap, ColorLine(w, [&](int x) { return color(w, style == 2 ? x : w - x); }));
      break;
    case 4:
    case 5:
      PaintColumns(bitmap, ColorLine(w, [&](int x) {
                     const int e = EdgeDistance(x, w);
                     return color(w / 2.0, style == 4 ? e : w / 2 - e);
                   }));
      break;
    case 6:
    case 7:
      PaintRows(bitmap, ColorLine(h, [&](int y) {
                  const int e = EdgeDistance(y, h);
                  return color(h / 2, style == 6 ? e : h / 2 - e);
                }));
      break;
    case 8:
    case 9:
      PaintNestedRectangles(bitmap, ColorLine(m + 1, [&](int r) { return color(m, style == 8 ? m - r : r); }));
      break;
    case 10:
    case 11: {
      // Outside every ellipse (the border included) is the colour the outermost one fades from.
      const ColorRef ground = (style == 10 ? end : start) & 0xFFFFFF;
      PaintNestedEllipses(bitmap, ColorLine(m + 1, [&](int r) { return color(m, style == 10 ? m - r : r); }),
                          PixelFromColorRef(ground));
      break;
    }
    default:
      break;
  }
}

}  // namespace raster
