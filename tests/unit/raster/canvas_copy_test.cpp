// Block copies: Blit/Draw 1:1 and CopyRect/StretchDraw nearest stretching.
#include <climits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "canvas_test_util.h"
#include "raster/canvas.h"

namespace raster {
namespace {

using testing::Numbered;
using testing::SameBitmap;

constexpr Pixel kBack = MakePixel(1, 2, 3);

// Per-pixel model of CopyRect: each target pixel inside the ordered destination
// rectangle (and the clip) takes the source pixel floor((i + 0.5) * sw / dw)
// along each axis, mirrored when the two rectangles run in opposite directions;
// samples outside the source leave the pixel alone.
Bitmap ModelCopy(const Bitmap& target, const Rect& dst, const Bitmap& src, const Rect& srcRect, const Region* clip) {
  Bitmap out = target;
  const int64_t dw = int64_t{dst.right} - dst.left, dh = int64_t{dst.bottom} - dst.top;
  const int64_t sw = int64_t{srcRect.right} - srcRect.left, sh = int64_t{srcRect.bottom} - srcRect.top;
  if (!dw || !dh || !sw || !sh) return out;
  const Rect d = dst.Normalized(), s = srcRect.Normalized();
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) {
      if (!d.Contains(x, y) || (clip && !clip->Contains(x, y))) continue;
      int64_t jx = ((2 * int64_t{x - d.left} + 1) * s.Width()) / (2 * int64_t{d.Width()});
      int64_t jy = ((2 * int64_t{y - d.top} + 1) * s.Height()) / (2 * int64_t{d.Height()});
      if ((dw < 0) != (sw < 0)) jx = s.Width() - 1 - jx;
      if ((dh < 0) != (sh < 0)) jy = s.Height() - 1 - jy;
      const int64_t sx = s.left + jx, sy = s.top + jy;
      if (sx < 0 || sy < 0 || sx >= src.Width() || sy >= src.Height()) continue;
      out.At(x, y) = src.At(static_cast<int>(sx), static_cast<int>(sy));
    }
  return out;
}

TEST(CanvasBlit, FullFrameCopyIsExact) {
  const Bitmap src = Numbered(37, 23);
  Bitmap dst(37, 23, kBack);
  Canvas(dst).Draw({0, 0}, src);
  EXPECT_TRUE(SameBitmap(dst, src));
}

TEST(CanvasBlit, SourceRectanglePartlyOutsideTheSource) {
  const Bitmap src = Numbered(8, 6);
  Bitmap dst(20, 20, kBack);
  // Source x -3..4, y -2..9: only (0..4, 0..6) exists, landing at (13.., 12..).
  Canvas(dst).Blit({10, 10}, src, {-3, -2, 5, 10});
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool copied = x >= 13 && x < 18 && y >= 12 && y < 18;
      EXPECT_EQ(dst.At(x, y), copied ? src.At(x - 13, y - 12) : kBack) << x << "," << y;
    }
}

TEST(CanvasBlit, DestinationPartlyOutsideAndReversedSourceRectangle) {
  const Bitmap src = Numbered(10, 10);
  Bitmap dst(6, 6, kBack);
  Canvas(dst).Blit({-4, 3}, src, {10, 10, 0, 0});  // reversed: same as (0,0,10,10)
  EXPECT_TRUE(SameBitmap(dst, ModelCopy(Bitmap(6, 6, kBack), {-4, 3, 6, 13}, src, {0, 0, 10, 10}, nullptr)));
  EXPECT_EQ(dst.At(0, 3), src.At(4, 0));
  EXPECT_EQ(dst.At(0, 2), kBack);
}

TEST(CanvasBlit, FarAwayAndExtremeCoordinatesDrawNothing) {
  const Bitmap src = Numbered(4, 4);
  Bitmap dst(4, 4, kBack);
  Canvas c(dst);
  c.Blit({INT_MAX, INT_MIN}, src, src.Bounds());
  c.Blit({0, 0}, src, {INT_MIN, INT_MIN, INT_MIN + 3, INT_MIN + 3});
  c.Blit({INT_MIN, 0}, src, {INT_MAX - 2, 0, INT_MAX, 4});
  c.CopyRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, src, {0, 0, 0, 4});
  EXPECT_TRUE(SameBitmap(dst, Bitmap(4, 4, kBack)));
  // A destination spanning the whole coordinate range still maps sanely.
  c.CopyRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, src, src.Bounds());
  // The target lies at the centre of the mapping: source pixel 2 of 4.
  EXPECT_EQ(dst.At(0, 0), src.At(2, 2));
  EXPECT_EQ(dst.At(3, 3), src.At(2, 2));
}

TEST(CanvasBlit, OnePixelBitmapsAndEmptyBitmaps) {
  const Bitmap one(1, 1, MakePixel(9, 9, 9));
  Bitmap dst(1, 1, kBack);
  Canvas c(dst);
  c.Blit({1, 0}, one, one.Bounds());
  EXPECT_EQ(dst.At(0, 0), kBack);
  c.Draw({0, 0}, one);
  EXPECT_EQ(dst.At(0, 0), MakePixel(9, 9, 9));
  c.StretchDraw({0, 0, 1, 1}, Numbered(50, 50));
  EXPECT_EQ(dst.At(0, 0), Numbered(50, 50).At(25, 25));
  const Bitmap empty;
  c.Draw({0, 0}, empty);
  c.StretchDraw({0, 0, 1, 1}, empty);
  Bitmap nothing;
  Canvas(nothing).Draw({0, 0}, one);
  Canvas(nothing).StretchDraw({0, 0, 5, 5}, one);
  EXPECT_EQ(dst.At(0, 0), Numbered(50, 50).At(25, 25));
}

TEST(CanvasBlit, ClipRegionLimitsTheCopy) {
  const Bitmap src = Numbered(16, 16);
  Bitmap dst(16, 16, kBack);
  const Region ring = Region::FromRect({2, 2, 14, 14}).Subtract(Region::FromRect({5, 5, 10, 10}));
  Canvas(dst, ring).Draw({0, 0}, src);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) EXPECT_EQ(dst.At(x, y), ring.Contains(x, y) ? src.At(x, y) : kBack);
}

TEST(CanvasBlit, OverlappingCopyWithinOneBitmapReadsTheSourceFirst) {
  for (const Point shift : {Point{3, 2}, Point{-3, -2}, Point{0, 1}, Point{1, 0}}) {
    Bitmap b = Numbered(12, 9);
    const Bitmap before = b;
    const Region clip = Region::FromEllipse({0, 0, 12, 9});
    Canvas(b, clip).Blit(shift, b, b.Bounds());
    EXPECT_TRUE(SameBitmap(b, ModelCopy(before, Rect::FromSize(shift.x, shift.y, 12, 9), before, before.Bounds(),
                                        &clip)))
        << shift.x << "," << shift.y;
  }
}

TEST(CanvasBlit, WrappedTargetPaddingIsNeverTouched) {
  constexpr Pixel kGuard = 0xDEADBEEF;
  std::vector<Pixel> memory(8 * 5, kGuard);
  Bitmap target = Bitmap::Wrap(memory.data() + 8, 6, 3, 8 * sizeof(Pixel));  // a guard row above and below
  Canvas c(target);
  c.CopyRect({-10, -10, 30, 30}, Numbered(7, 7), {0, 0, 7, 7});
  c.Draw({-1, -1}, Numbered(9, 9));
  c.FillRect({-5, -5, 50, 50}, 0);
  for (size_t i = 0; i < memory.size(); ++i) {
    const size_t row = i / 8, col = i % 8;
    const bool inside = row >= 1 && row <= 3 && col < 6;
    EXPECT_EQ(memory[i] == kGuard, !inside) << i;
  }
}

TEST(CanvasStretch, EnlargeTwiceRepeatsEveryPixel) {
  const Bitmap src = Numbered(3, 2);
  Bitmap dst(6, 4, kBack);
  Canvas(dst).StretchDraw({0, 0, 6, 4}, src);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(dst.At(x, y), src.At(x / 2, y / 2));
}

TEST(CanvasStretch, ShrinkByTwoSamplesPixelCentres) {
  const Bitmap src = Numbered(8, 8);
  Bitmap dst(4, 4, kBack);
  Canvas(dst).CopyRect({0, 0, 4, 4}, src, {0, 0, 8, 8});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.At(x, y), src.At(2 * x + 1, 2 * y + 1));
}

TEST(CanvasStretch, OppositeDirectionsMirrorAndEqualDirectionsDoNot) {
  const Bitmap src = Numbered(5, 4);
  Bitmap dst(5, 4, kBack);
  Canvas c(dst);
  c.CopyRect({5, 0, 0, 4}, src, {0, 0, 5, 4});  // mirrored left-right
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(dst.At(x, y), src.At(4 - x, y));
  c.CopyRect({0, 4, 5, 0}, src, {0, 0, 5, 4});  // upside down
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(dst.At(x, y), src.At(x, 3 - y));
  c.CopyRect({5, 4, 0, 0}, src, {5, 4, 0, 0});  // both reversed: a plain copy
  EXPECT_TRUE(SameBitmap(dst, src));
}

TEST(CanvasStretch, SamplesOutsideTheSourceLeaveTheTargetAlone) {
  const Bitmap src = Numbered(4, 4);
  Bitmap dst(8, 8, kBack);
  Canvas(dst).CopyRect({0, 0, 8, 8}, src, {-2, -2, 6, 6});  // 1:1, two rows and columns missing
  EXPECT_TRUE(SameBitmap(dst, ModelCopy(Bitmap(8, 8, kBack), {0, 0, 8, 8}, src, {-2, -2, 6, 6}, nullptr)));
  EXPECT_EQ(dst.At(1, 1), kBack);
  EXPECT_EQ(dst.At(2, 2), src.At(0, 0));
  Bitmap big(8, 8, kBack);
  Canvas(big).CopyRect({0, 0, 8, 8}, src, {-2, 0, 2, 4});  // 4 source columns onto 8, half missing
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(big.At(x, y), x < 4 ? kBack : src.At((x - 4) / 2, y / 2));
}

TEST(CanvasStretch, RandomRectanglesMatchThePixelModel) {
  std::mt19937 rng(4242);
  auto coord = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const Bitmap src = Numbered(19, 13, 3);
  for (int i = 0; i < 500; ++i) {
    Bitmap dst = Numbered(23, 17, 200);
    const Bitmap before = dst;
    const Rect d{coord(-10, 33), coord(-10, 27), coord(-10, 33), coord(-10, 27)};
    const Rect s{coord(-8, 27), coord(-8, 21), coord(-8, 27), coord(-8, 21)};
    std::optional<Region> clip;
    if (i % 3 == 0) clip = Region::FromEllipse({coord(-5, 25), coord(-5, 20), coord(-5, 25), coord(-5, 20)});
    Canvas c(dst);
    if (clip) c.SetClip(*clip);
    c.CopyRect(d, src, s);
    ASSERT_TRUE(SameBitmap(dst, ModelCopy(before, d, src, s, clip ? &*clip : nullptr))) << "case " << i;
  }
}

// Rows wide enough for every way a row is written: long and short copies
// (slight and strong shrinks), repeats (enlarging), mirrors, a source rectangle
// that reaches past the source's right edge and a target edge that cuts it.
// Halving the height puts the source rows at many distances from the target
// rows, and so the runs at many distances from their sources modulo 4 KiB.
TEST(CanvasStretch, WideRowsOfEveryRatioMatchThePixelModel) {
  const Bitmap src = Numbered(203, 300, 5);
  int i = 0;
  for (const int sw : {203, 150, 210})
    for (int dw = 1; dw <= 420; dw += 7, ++i) {
      Bitmap dst = Numbered(300, 152, 100);
      const Bitmap before = dst;
      const int left = i % 5 - 2;
      const Rect d = i % 4 == 3 ? Rect{left + dw, 1, left, 151} : Rect{left, 1, left + dw, 151};
      const Rect s{0, 0, sw, 300};
      Canvas(dst).CopyRect(d, src, s);
      ASSERT_TRUE(SameBitmap(dst, ModelCopy(before, d, src, s, nullptr))) << "width " << dw << " of " << sw;
    }
}

TEST(CanvasStretch, StretchWithinOneBitmapReadsTheSourceFirst) {
  Bitmap b = Numbered(10, 10);
  const Bitmap before = b;
  Canvas(b).CopyRect({0, 0, 10, 10}, b, {2, 2, 7, 7});
  EXPECT_TRUE(SameBitmap(b, ModelCopy(before, {0, 0, 10, 10}, before, {2, 2, 7, 7}, nullptr)));
}

}  // namespace
}  // namespace raster
