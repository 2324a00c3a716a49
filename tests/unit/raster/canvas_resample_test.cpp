// The quality resampling used to fit a picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "canvas_test_util.h"
#include "raster/canvas.h"

namespace raster {
namespace {

constexpr Pixel kBack = MakePixel(0, 0, 0, 0);

Pixel Grey(uint8_t v) { return MakePixel(v, v, v); }

TEST(CanvasResample, SameSizeIsAnExactCopy) {
  const Bitmap src = testing::Numbered(13, 7);
  Bitmap dst(13, 7, kBack);
  Canvas(dst).ResampleHighQuality(dst.Bounds(), src, src.Bounds());
  EXPECT_TRUE(testing::SameBitmap(dst, src));
}

TEST(CanvasResample, ShrinkingAveragesTheCoveredArea) {
  Bitmap src(4, 2);
  const uint8_t v[2][4] = {{0, 100, 10, 10}, {200, 40, 30, 50}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) src.At(x, y) = Grey(v[y][x]);
  Bitmap dst(2, 1, kBack);
  Canvas(dst).ResampleHighQuality(dst.Bounds(), src, src.Bounds());
  EXPECT_EQ(dst.At(0, 0), Grey(85));  // (0 + 100 + 200 + 40) / 4
  EXPECT_EQ(dst.At(1, 0), Grey(25));
  // 3 columns onto 2: each output covers one and a half source pixels.
  Bitmap row(3, 1);
  row.At(0, 0) = Grey(0);
  row.At(1, 0) = Grey(90);
  row.At(2, 0) = Grey(180);
  Bitmap out(2, 1, kBack);
  Canvas(out).ResampleHighQuality(out.Bounds(), row, row.Bounds());
  EXPECT_EQ(out.At(0, 0), Grey(30));   // (0 * 1 + 90 * 0.5) / 1.5
  EXPECT_EQ(out.At(1, 0), Grey(150));  // (90 * 0.5 + 180 * 1) / 1.5
}

TEST(CanvasResample, EnlargingInterpolatesBetweenPixelCentres) {
  Bitmap src(2, 1);
  src.At(0, 0) = Grey(0);
  src.At(1, 0) = Grey(200);
  Bitmap dst(4, 1, kBack);
  Canvas(dst).ResampleHighQuality(dst.Bounds(), src, src.Bounds());
  // Centres at source x = -0.25, 0.25, 0.75, 1.25; the edges hold their colour.
  EXPECT_EQ(dst.At(0, 0), Grey(0));
  EXPECT_EQ(dst.At(1, 0), Grey(50));
  EXPECT_EQ(dst.At(2, 0), Grey(150));
  EXPECT_EQ(dst.At(3, 0), Grey(200));
  Bitmap flat(5, 5, MakePixel(10, 20, 30));
  Bitmap big(17, 11, kBack);
  Canvas(big).ResampleHighQuality(big.Bounds(), flat, flat.Bounds());
  EXPECT_TRUE(testing::SameBitmap(big, Bitmap(17, 11, MakePixel(10, 20, 30))));
}

TEST(CanvasResample, ClipsToTargetSourceAndClipRegion) {
  const Bitmap src(10, 10, Grey(77));
  Bitmap dst(8, 8, kBack);
  Canvas c(dst, Region::FromRect({0, 0, 6, 8}));
  // 20 x 20 source pixels onto 16 x 16, the source rectangle reaching 10
  // columns left of the source and 10 rows below it: only destination columns
  // 4.. and rows ..3 have pixels to show; the clip stops at column 6.
  c.ResampleHighQuality({-4, -4, 12, 12}, src, {-10, 0, 10, 20});
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool written = x >= 4 && x < 6 && y < 4;
      EXPECT_EQ(dst.At(x, y), written ? Grey(77) : kBack) << x << "," << y;
    }
  c.ResampleHighQuality({0, 0, 8, 8}, Bitmap(), {0, 0, 4, 4});
  c.ResampleHighQuality({0, 0, 0, 8}, src, src.Bounds());
  c.ResampleHighQuality({0, 0, 8, 8}, src, {3, 3, 3, 3});
  EXPECT_EQ(dst.At(0, 0), kBack);
}

TEST(CanvasResample, ReversedRectanglesAreNotMirrored) {
  const Bitmap src = testing::Numbered(6, 6);
  Bitmap a(6, 6, kBack), b(6, 6, kBack);
  Canvas(a).ResampleHighQuality({0, 0, 6, 6}, src, {0, 0, 6, 6});
  Canvas(b).ResampleHighQuality({6, 6, 0, 0}, src, {0, 6, 6, 0});
  EXPECT_TRUE(testing::SameBitmap(a, b));
}

// The filter one channel and one output pixel at a time, straight from its
// definition: per axis the taps (area shares when shrinking, the two nearest
// pixel centres when enlarging, taps past the source clamped to its edge and
// merged), the rows blended first, then the columns, in float, rounded half
// away from zero.
struct Taps {
  std::vector<int> index;
  std::vector<float> weight;
};

Taps AxisTaps(int i, int64_t sn, int64_t dn, int limit) {
  Taps taps;
  const double scale = static_cast<double>(sn) / static_cast<double>(dn);
  auto add = [&](int64_t j, double w) {
    if (w <= 0) return;
    const int k = static_cast<int>(std::clamp<int64_t>(j, 0, limit - 1));
    if (!taps.index.empty() && taps.index.back() == k) {
      taps.weight.back() += static_cast<float>(w);
    } else {
      taps.index.push_back(k);
      taps.weight.push_back(static_cast<float>(w));
    }
  };
  if (sn > dn) {
    const double lo = i * scale, hi = (i + 1) * scale;
    for (auto j = static_cast<int64_t>(std::floor(lo)); static_cast<double>(j) < hi; ++j)
      add(j, (std::min(hi, static_cast<double>(j + 1)) - std::max(lo, static_cast<double>(j))) / scale);
  } else {
    const double u = (i + 0.5) * scale - 0.5, j = std::floor(u), t = u - j;
    add(static_cast<int64_t>(j), 1.0 - t);
    add(static_cast<int64_t>(j) + 1, t);
  }
  return taps;
}

Pixel FilteredPixel(const Bitmap& src, int x, int y, int dw, int dh) {
  const Taps xs = AxisTaps(x, src.Width(), dw, src.Width()), ys = AxisTaps(y, src.Height(), dh, src.Height());
  Pixel out = 0;
  for (int channel = 0; channel < 4; ++channel) {
    float sum = 0;
    for (size_t tx = 0; tx < xs.index.size(); ++tx) {
      float column = 0;
      for (size_t ty = 0; ty < ys.index.size(); ++ty)
        column += ys.weight[ty] * static_cast<float>((src.At(xs.index[tx], ys.index[ty]) >> (8 * channel)) & 0xFF);
      sum += xs.weight[tx] * column;
    }
    out |= static_cast<Pixel>(std::clamp(std::lround(sum), 0L, 255L)) << (8 * channel);
  }
  return out;
}

TEST(CanvasResample, EveryPixelIsTheFilterOfItsDefinition) {
  Bitmap src(37, 23);
  uint32_t seed = 12345;
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x) src.At(x, y) = (seed = seed * 1664525u + 1013904223u);
  const std::pair<int, int> sizes[] = {{20, 11}, {37, 23}, {50, 40}, {11, 40}, {36, 22}, {1, 1}};
  for (const auto& [w, h] : sizes) {
    SCOPED_TRACE(::testing::Message() << w << "x" << h);
    Bitmap dst(w, h, kBack);
    Canvas(dst).ResampleHighQuality(dst.Bounds(), src, src.Bounds());
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) ASSERT_EQ(dst.At(x, y), FilteredPixel(src, x, y, w, h)) << x << "," << y;
  }
}

}  // namespace
}  // namespace raster
