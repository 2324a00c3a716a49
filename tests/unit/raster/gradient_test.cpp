#include "raster/gradient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "raster/canvas.h"
#include "raster/region.h"

namespace raster {
namespace {

constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kBlack = 0x000000;

TEST(GradientColorTest, StepIsSinglePrecisionAndRoundsHalfToEven) {
  // Red channel 0 -> 1 over 2 steps: 0.5 rounds to 0, 1.5 to 2.
  EXPECT_EQ(raster::PixelR(GradientColor(0x00, 0x01, 2, 1)), 0);
  EXPECT_EQ(raster::PixelR(GradientColor(0x00, 0x01, 2, 3)), 2);
  // 0 -> 6 over 4 steps: 1.5 -> 2, 4.5 -> 4.
  EXPECT_EQ(raster::PixelR(GradientColor(0x00, 0x06, 4, 1)), 2);
  EXPECT_EQ(raster::PixelR(GradientColor(0x00, 0x06, 4, 3)), 4);
  // 1/6 held as a float is slightly above 1/6, so three steps are just above
  // one half and round up; exact arithmetic would give 0.
  EXPECT_EQ(raster::PixelR(GradientColor(0x00, 0x01, 6, 3)), 1);
  EXPECT_EQ(raster::PixelR(GradientColor(0x01, 0x00, 6, 3)), 0);
}

TEST(GradientColorTest, ChannelsMoveIndependently) {
  // From (r 0x10, g 0x80, b 0xF0) to (r 0xF0, g 0x80, b 0x10) halfway.
  EXPECT_EQ(GradientColor(0xF08010, 0x1080F0, 2, 1), MakePixel(0x80, 0x80, 0x80));
  EXPECT_EQ(GradientColor(0xF08010, 0x1080F0, 2, 0), MakePixel(0x10, 0x80, 0xF0));
  EXPECT_EQ(GradientColor(0xF08010, 0x1080F0, 2, 2), MakePixel(0xF0, 0x80, 0x10));
  EXPECT_EQ(GradientColor(0x123456, 0xFFFFFF, 0, 0), MakePixel(0x56, 0x34, 0x12));
}

TEST(FillGradientTest, OnePixelHighBandIsTheStartColour) {
  Bitmap bitmap(4, 1, MakePixel(1, 2, 3));
  FillGradient(kRed, kBlack, 0, bitmap);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(bitmap.At(x, 0), MakePixel(0xFF, 0, 0));
}

TEST(FillGradientTest, EdgesToMiddleOnThreeColumns) {
  Bitmap bitmap(3, 2);
  FillGradient(kBlack, 0xFFFFFF, 4, bitmap);
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(bitmap.At(0, y), MakePixel(0, 0, 0));
    EXPECT_EQ(bitmap.At(1, y), MakePixel(170, 170, 170));  // t = 1 of 1.5
    EXPECT_EQ(bitmap.At(2, y), MakePixel(0, 0, 0));
  }
}

TEST(FillGradientTest, UnknownStylesAndEmptyBitmapsPaintNothing) {
  for (int style : {-1, 12, 100}) {
    Bitmap bitmap(3, 3, MakePixel(9, 9, 9));
    FillGradient(kRed, kBlack, style, bitmap);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(bitmap.At(x, y), MakePixel(9, 9, 9));
  }
  Bitmap empty;
  FillGradient(kRed, kBlack, 10, empty);
  EXPECT_TRUE(empty.IsEmpty());
}

// The colour a pixel must have, worked out for that pixel alone.
struct Expected {
  double span;
  int t;
};

raster::Rect Inset(int w, int h, int r) {
  if (w >= h) {
    const int s = static_cast<int>(std::nearbyint(double(r) * h / w));
    return {r, s, w - r, h - s};
  }
  const int s = static_cast<int>(std::nearbyint(double(r) * w / h));
  return {s, r, w - s, h - r};
}

// The largest r in 0..m whose shape holds (x, y).
std::optional<int> InnermostShape(int x, int y, int m, bool ellipse, int w, int h) {
  std::optional<int> found;
  for (int r = 0; r <= m; ++r) {
    const raster::Rect rect = Inset(w, h, r);
    const bool inside = ellipse ? raster::Region::FromEllipse(rect).Contains(x, y) : rect.Contains(x, y);
    if (inside) found = r;
  }
  return found;
}

Pixel ExpectedPixel(ColorRef start, ColorRef end, int style, int w, int h, int x, int y) {
  const int edgeX = std::min(x, w - 1 - x);
  const int edgeY = std::min(y, h - 1 - y);
  const int m = std::max(w, h) / 2;
  std::optional<Expected> e;
  switch (style) {
    case 0: e = Expected{double(h), y}; break;
    case 1: e = Expected{double(h), h - y}; break;
    case 2: e = Expected{double(w), x}; break;
    case 3: e = Expected{double(w), w - x}; break;
    case 4: e = Expected{w / 2.0, edgeX}; break;
    case 5: e = Expected{w / 2.0, w / 2 - edgeX}; break;
    case 6: e = Expected{double(h / 2), edgeY}; break;
    case 7: e = Expected{double(h / 2), h / 2 - edgeY}; break;
    default: {
      const bool ellipse = style >= 10;
      const auto r = InnermostShape(x, y, m, ellipse, w, h);
      const bool fromCentre = style == 8 || style == 10;
      if (!r) return raster::PixelFromColorRef(style == 10 ? end : start);
      e = Expected{double(m), fromCentre ? m - *r : *r};
    }
  }
  return GradientColor(start, end, e->span, e->t);
}

TEST(FillGradientTest, EveryStyleMatchesItsPerPixelRule) {
  const std::pair<int, int> sizes[] = {{1, 1}, {3, 1}, {1, 3}, {2, 2}, {5, 4}, {4, 5}, {7, 7}, {16, 9}, {9, 16}, {13, 2}};
  for (int style = 0; style < kGradientStyleCount; ++style) {
    for (const auto& [w, h] : sizes) {
      Bitmap bitmap(w, h, MakePixel(1, 2, 3));
      FillGradient(0x2060E0, 0xC01040, style, bitmap);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          ASSERT_EQ(bitmap.At(x, y), ExpectedPixel(0x2060E0, 0xC01040, style, w, h, x, y))
              << "style " << style << " size " << w << "x" << h << " at " << x << "," << y;
    }
  }
}

// The first, shape-by-shape way of painting the gradient, kept as the reference
// for the row-by-row painter: every shape is a region (rectangle or rasterised
// ellipse) and each ring between two shapes is filled in its colour.
namespace reference {

using raster::Canvas;
using raster::Rect;
using raster::Region;

template <class ShapeOf, class ColorOf>
void PaintNested(Canvas& canvas, int last, ShapeOf shapeOf, ColorOf colorOf) {
  Region outer = shapeOf(0);
  for (int i = 0; i <= last; ++i) {
    Region inner = i < last ? shapeOf(i + 1) : Region();
    canvas.FillRegion(inner.IsEmpty() ? outer : outer.Subtract(inner), colorOf(i));
    outer = std::move(inner);
  }
}

Region RectRegion(const Rect& rect) { return rect.IsEmpty() ? Region() : Region::FromRect(rect); }

void FillGradient(ColorRef start, ColorRef end, int style, Bitmap& bitmap) {
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
          canvas, m, [&](int r) { return RectRegion(Inset(w, h, r)); },
          [&](int r) { return color(m, style == 8 ? m - r : r); });
      break;
    }
    case 10:
    case 11: {
      const int m = std::max(w, h) / 2;
      const ColorRef ground = (style == 10 ? end : start) & 0xFFFFFF;
      canvas.FillRect(bitmap.Bounds(), raster::PixelFromColorRef(ground));
      PaintNested(
          canvas, m, [&](int r) { return Region::FromEllipse(Inset(w, h, r)); },
          [&](int r) { return color(m, style == 10 ? m - r : r); });
      break;
    }
    default:
      break;
  }
}

}  // namespace reference

// Odd, even, thin, square and lopsided sizes, in both orientations; the larger
// ones give the ellipses enough rows for rounding ties in their outlines.
TEST(FillGradientTest, EveryStyleMatchesTheShapeByShapePainter) {
  const std::pair<int, int> sizes[] = {{1, 1},   {2, 1},    {1, 2},   {3, 3},    {17, 5},   {5, 17},
                                       {37, 23}, {64, 64},  {64, 48}, {5, 301},  {301, 5},  {201, 99},
                                       {99, 201}, {320, 180}, {181, 320}, {400, 399}};
  const std::pair<ColorRef, ColorRef> colors[] = {{0x2060E0, 0xC01040}, {0xFFFFFF, 0x000000}, {0x010203, 0x030201}};
  for (int style = 0; style < kGradientStyleCount; ++style) {
    for (const auto& [w, h] : sizes) {
      for (const auto& [start, end] : colors) {
        Bitmap expected(w, h, MakePixel(1, 2, 3));
        reference::FillGradient(start, end, style, expected);
        Bitmap actual(w, h, MakePixel(4, 5, 6));
        FillGradient(start, end, style, actual);
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x)
            ASSERT_EQ(actual.At(x, y), expected.At(x, y))
                << "style " << style << " size " << w << "x" << h << " at " << x << "," << y;
      }
    }
  }
}

TEST(FillGradientTest, PaintsIntoABitmapWithPaddedRows) {
  // A wrapped bitmap whose rows are longer than its width: the padding stays.
  constexpr int kW = 9, kH = 7, kStride = 12;
  const Pixel pad = MakePixel(7, 7, 7);
  for (int style = 0; style < kGradientStyleCount; ++style) {
    std::vector<Pixel> pixels(kStride * kH, pad);
    Bitmap actual = Bitmap::Wrap(pixels.data(), kW, kH, kStride * sizeof(Pixel));
    FillGradient(0x2060E0, 0xC01040, style, actual);
    Bitmap expected(kW, kH);
    reference::FillGradient(0x2060E0, 0xC01040, style, expected);
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) ASSERT_EQ(actual.At(x, y), expected.At(x, y)) << style << " " << x << "," << y;
      for (int x = kW; x < kStride; ++x) ASSERT_EQ(pixels[y * kStride + x], pad) << style << " row " << y;
    }
  }
}

TEST(FillGradientTest, RectanglesAndEllipsesRunFromCentreToBorder) {
  Bitmap bitmap(21, 11);
  FillGradient(kRed, kBlack, 8, bitmap);
  EXPECT_EQ(bitmap.At(10, 5), MakePixel(0xFF, 0, 0));  // start colour in the centre
  EXPECT_EQ(bitmap.At(0, 0), MakePixel(0, 0, 0));      // end colour at the border
  FillGradient(kRed, kBlack, 11, bitmap);
  EXPECT_EQ(bitmap.At(0, 0), MakePixel(0xFF, 0, 0));  // outside every ellipse: start colour
  EXPECT_EQ(bitmap.At(10, 5), MakePixel(0, 0, 0));    // innermost ellipse: end colour
}

}  // namespace
}  // namespace raster
