#include "project/picture_helpers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "project/record_text.h"
#include "raster/canvas.h"
#include "raster/region.h"

namespace project {
namespace {

using raster::Canvas;
using raster::ColorRef;
using raster::Pixel;
using raster::Rect;
using raster::Region;

std::array<int, 3> Channels(ColorRef color) {
  return {static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
          static_cast<int>((color >> 16) & 0xFF)};
}

// Round to nearest, halves to the even neighbour (the default rounding mode).
int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

// Paints shapes 0..last, each inside the one before, in the colour of its
// index: every pixel ends in the colour of the innermost shape holding it.
// Painting each ring once gives that result without painting the inner shapes
// over and over.
template <class ShapeOf, class ColorOf>
void PaintNested(Canvas& canvas, int last, ShapeOf shapeOf, ColorOf colorOf) {
  Region outer = shapeOf(0);
  for (int i = 0; i <= last; ++i) {
    Region inner = i < last ? shapeOf(i + 1) : Region();
    canvas.FillRegion(inner.IsEmpty() ? outer : outer.Subtract(inner), colorOf(i));
    outer = std::move(inner);
  }
}

// Styles 8 to 11: the rectangle inset by r along the longer side and by the
// proportional amount along the shorter one.
Rect ProportionalInset(int width, int height, int r) {
  if (width >= height) {
    const int s = RoundEven(static_cast<double>(r) * height / width);
    return {r, s, width - r, height - s};
  }
  const int s = RoundEven(static_cast<double>(r) * width / height);
  return {s, r, width - s, height - r};
}

// FillRect's rule: a reversed rectangle covers nothing.
Region RectRegion(const Rect& rect) { return rect.IsEmpty() ? Region() : Region::FromRect(rect); }

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
  return raster::MakePixel(rgb[0], rgb[1], rgb[2]);
}

void FillGradient(ColorRef start, ColorRef end, int style, raster::Bitmap& bitmap) {
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  if (bitmap.IsEmpty()) return;
  Canvas canvas(bitmap);
  const auto color = [&](double span, int t) { return GradientColor(start, end, span, t); };

  switch (style) {
    case 0:
      for (int y = 0; y < h; ++y) canvas.HLine(0, w, y, color(h, y));
      break;
    case 1:
      for (int y = h - 1; y >= 0; --y) canvas.HLine(0, w, y, color(h, h - y));
      break;
    case 2:
      for (int x = 0; x < w; ++x) canvas.VLine(x, 0, h, color(w, x));
      break;
    case 3:
      for (int x = w - 1; x >= 0; --x) canvas.VLine(x, 0, h, color(w, w - x));
      break;
    case 4:
    case 5: {
      const int m = w / 2;
      PaintNested(
          canvas, m, [&](int i) { return RectRegion({i, 0, w - i, h}); },
          [&](int i) { return color(w / 2.0, style == 4 ? i : m - i); });
      break;
    }
    case 6:
    case 7: {
      const int m = h / 2;
      PaintNested(
          canvas, m, [&](int i) { return RectRegion({0, i, w, h - i}); },
          [&](int i) { return color(m, style == 6 ? i : m - i); });
      break;
    }
    case 8:
    case 9: {
      const int m = std::max(w, h) / 2;
      PaintNested(
          canvas, m, [&](int r) { return RectRegion(ProportionalInset(w, h, r)); },
          [&](int r) { return color(m, style == 8 ? m - r : r); });
      break;
    }
    case 10:
    case 11: {
      const int m = std::max(w, h) / 2;
      // The ground (border included) is the colour the outermost ellipse fades from.
      const ColorRef ground = (style == 10 ? end : start) & 0xFFFFFF;
      canvas.FillRect(bitmap.Bounds(), raster::PixelFromColorRef(ground));
      PaintNested(
          canvas, m, [&](int r) { return Region::FromEllipse(ProportionalInset(w, h, r)); },
          [&](int r) { return color(m, style == 10 ? m - r : r); });
      break;
    }
    default:
      break;
  }
}

int PickFromList(std::string_view text, base::Random& random) {
  std::vector<std::string_view> entries;
  for (auto end = text.find(';'); end != std::string_view::npos; end = text.find(';')) {
    entries.push_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  if (entries.empty()) return 0;
  const int32_t index = random.Next(static_cast<int32_t>(entries.size()));
  return IntegerValue(entries.at(static_cast<std::size_t>(index)));
}

void TileBitmap(raster::Bitmap& target, const raster::Bitmap& tile) {
  if (tile.IsEmpty()) return;
  Canvas canvas(target);
  const int w = tile.Width();
  const int h = tile.Height();
  for (int a = 0; a <= target.Width() / w; ++a)
    for (int b = 0; b <= target.Height() / h; ++b) canvas.Draw({a * w, b * h}, tile);
}

}  // namespace project
