// Fills, frames, ellipses, lines and single pixels.
#include <algorithm>
#include <climits>
#include <functional>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "canvas_test_util.h"
#include "pixel_mask.h"
#include "raster/canvas.h"

namespace raster {
namespace {

constexpr Pixel kBack = MakePixel(0, 0, 0);
constexpr Pixel kInk = MakePixel(255, 128, 1);

// The set of ink pixels of a bitmap as a mask over its bounds.
testing::Mask Inked(const Bitmap& b) {
  return testing::Mask::FromPredicate(b.Bounds(), [&](int x, int y) { return b.At(x, y) == kInk; });
}

testing::Mask RectPixels(Rect r, Rect window) { return testing::RectMask(r, window); }

TEST(CanvasFill, RectangleReversedAndOutOfRange) {
  Bitmap b(10, 10, kBack);
  Canvas c(b);
  c.FillRect({2, 3, 5, 4}, kInk);
  EXPECT_EQ(Inked(b), RectPixels({2, 3, 5, 4}, b.Bounds()));
  b.Fill(kBack);
  c.FillRect({5, 4, 2, 3}, kInk);  // put in order, as PatBlt does
  EXPECT_EQ(Inked(b), RectPixels({2, 3, 5, 4}, b.Bounds()));
  b.Fill(kBack);
  c.FillRect({INT_MIN, -5, INT_MAX, 2}, kInk);
  EXPECT_EQ(Inked(b), RectPixels({0, 0, 10, 2}, b.Bounds()));
  b.Fill(kBack);
  c.FillRect({3, 3, 3, 8}, kInk);
  c.FillRect({10, 0, 20, 10}, kInk);
  EXPECT_EQ(Inked(b).Count(), 0);
}

TEST(CanvasFill, ClipAndRegionFill) {
  Bitmap b(20, 20, kBack);
  const Region clip = Region::FromEllipse({0, 0, 20, 20});
  Canvas c(b, clip);
  c.FillRect({-5, -5, 25, 10}, kInk);
  EXPECT_EQ(Inked(b), testing::MaskOf(clip.Intersect(Rect{0, 0, 20, 10}), b.Bounds()));
  b.Fill(kBack);
  const Region band = Region::FromRect({-3, 5, 30, 8});
  c.FillRegion(band, kInk);
  EXPECT_EQ(Inked(b), testing::MaskOf(band.Intersect(clip), b.Bounds()));
  b.Fill(kBack);
  c.ClearClip();
  EXPECT_EQ(c.Clip(), nullptr);
  c.FillRegion(band, kInk);
  EXPECT_EQ(Inked(b), RectPixels({0, 5, 20, 8}, b.Bounds()));
}

TEST(CanvasFrame, BorderInsideTheRectangle) {
  Bitmap b(10, 10, kBack);
  Canvas c(b);
  c.FrameRect({1, 2, 6, 8}, kInk);
  const auto expected = testing::Mask::FromPredicate(b.Bounds(), [](int x, int y) {
    return Rect{1, 2, 6, 8}.Contains(x, y) && !Rect{2, 3, 5, 7}.Contains(x, y);
  });
  EXPECT_EQ(Inked(b), expected);
  b.Fill(kBack);
  c.FrameRect({6, 8, 1, 2}, kInk);  // reversed: nothing
  c.FrameRect({3, 3, 3, 9}, kInk);  // empty: nothing
  EXPECT_EQ(Inked(b).Count(), 0);
  c.FrameRect({4, 1, 5, 6}, kInk);  // one column wide: the whole column
  EXPECT_EQ(Inked(b), RectPixels({4, 1, 5, 6}, b.Bounds()));
  b.Fill(kBack);
  c.FrameRect({-1, -1, 11, 11}, kInk);  // the border lies outside: nothing visible
  EXPECT_EQ(Inked(b).Count(), 0);
}

TEST(CanvasEllipse, FillsExactlyTheEllipticRegion) {
  Bitmap b(30, 20, kBack);
  Canvas c(b);
  for (const Rect r : {Rect{2, 3, 25, 17}, Rect{25, 17, 2, 3}, Rect{-10, -4, 12, 9}, Rect{5, 5, 6, 6}}) {
    b.Fill(kBack);
    c.Ellipse(r, kInk);
    EXPECT_EQ(Inked(b), testing::EllipseMask(r, b.Bounds()));
  }
  b.Fill(kBack);
  c.SetClip(Region::FromRect({0, 0, 15, 20}));
  c.Ellipse({0, 0, 30, 20}, kInk);
  const auto whole = testing::EllipseMask({0, 0, 30, 20}, b.Bounds());
  EXPECT_EQ(Inked(b), testing::Mask::FromPredicate(b.Bounds(), [&](int x, int y) { return x < 15 && whole.Get(x, y); }));
}

TEST(CanvasLine, EndPointIsLeftOutInEveryDirection) {
  Bitmap b(10, 10, kBack);
  Canvas c(b);
  c.MoveTo({2, 4});
  c.LineTo({6, 4}, kInk);
  EXPECT_EQ(Inked(b), RectPixels({2, 4, 6, 5}, b.Bounds()));
  EXPECT_EQ(c.PenPosition(), (Point{6, 4}));
  b.Fill(kBack);
  c.LineTo({2, 4}, kInk);  // back leftwards: 6 down to 3
  EXPECT_EQ(Inked(b), RectPixels({3, 4, 7, 5}, b.Bounds()));
  b.Fill(kBack);
  c.MoveTo({5, 8});
  c.LineTo({5, 1}, kInk);
  EXPECT_EQ(Inked(b), RectPixels({5, 2, 6, 9}, b.Bounds()));
  b.Fill(kBack);
  c.MoveTo({0, 0});
  c.LineTo({3, 3}, kInk);
  const auto diagonal = testing::Mask::FromPredicate(b.Bounds(), [](int x, int y) { return x == y && x < 3; });
  EXPECT_EQ(Inked(b), diagonal);
}

TEST(CanvasLine, SteepLineHasOnePixelPerRowAndClipsAtTheEdge) {
  Bitmap b(10, 10, kBack);
  Canvas c(b);
  c.MoveTo({-5, -20});
  c.LineTo({8, 30}, kInk);
  for (int y = 0; y < 10; ++y) {
    int n = 0;
    for (int x = 0; x < 10; ++x) n += b.At(x, y) == kInk;
    EXPECT_EQ(n, 1) << "row " << y;
  }
  c.MoveTo({INT_MIN, INT_MIN});
  c.LineTo({INT_MIN + 5, INT_MAX}, kInk);  // far away: nothing drawn, nothing overflows
  c.MoveTo({INT_MIN, 3});
  c.LineTo({INT_MAX, 3}, kInk);
  EXPECT_EQ(Inked(b).Combine(RectPixels({0, 3, 10, 4}, b.Bounds()), [](bool a, bool r) { return r && !a; }).Count(),
            0);
}

TEST(CanvasLine, HorizontalAndVerticalHelpers) {
  Bitmap b(8, 8, kBack);
  Canvas c(b);
  c.HLine(6, 1, 2, kInk);
  c.VLine(7, 0, 3, kInk);
  const auto expected = RectPixels({1, 2, 6, 3}, b.Bounds()).Combine(RectPixels({7, 0, 8, 3}, b.Bounds()),
                                                                     [](bool p, bool q) { return p || q; });
  EXPECT_EQ(Inked(b), expected);
  c.HLine(INT_MIN, INT_MAX, INT_MAX, kInk);  // far edges: nothing, and no overflow
  c.VLine(INT_MAX, INT_MIN, INT_MAX, kInk);
  c.MoveTo({INT_MAX, INT_MAX});
  c.LineTo({INT_MIN, INT_MAX}, kInk);
  EXPECT_EQ(Inked(b), expected);
}

TEST(CanvasPixel, SetGetAndCopyOutsideBoundsAndClip) {
  Bitmap b(4, 4, kBack);
  const Bitmap src = testing::Numbered(4, 4);
  Canvas c(b, Region::FromRect({0, 0, 2, 4}));
  c.SetPixel(1, 1, kInk);
  c.SetPixel(3, 1, kInk);   // outside the clip
  c.SetPixel(-1, 0, kInk);  // outside the bitmap
  c.SetPixel(0, 4, kInk);
  EXPECT_EQ(c.GetPixel(1, 1), kInk);
  EXPECT_EQ(c.GetPixel(3, 1), kBack);
  EXPECT_EQ(c.GetPixel(4, 0), std::nullopt);
  EXPECT_EQ(c.GetPixel(0, -1), std::nullopt);
  c.CopyPixel({0, 3}, src, {2, 1});
  c.CopyPixel({0, 2}, src, {4, 1});   // source outside
  c.CopyPixel({3, 3}, src, {1, 1});   // outside the clip
  c.CopyPixel({-1, 0}, src, {1, 1});  // outside the target
  EXPECT_EQ(b.At(0, 3), src.At(2, 1));
  EXPECT_EQ(b.At(0, 2), kBack);
  EXPECT_EQ(b.At(3, 3), kBack);
  EXPECT_EQ(Inked(b).Count(), 1);
}

// EditRuns hands over only pixels inside the target and the clip, row by row,
// and counts just those as drawn.
TEST(CanvasEditRuns, RunsStayInsideTargetAndClip) {
  Bitmap b(10, 6, kBack);
  const Rect parts[] = {{0, 0, 3, 6}, {5, 2, 10, 4}};
  Canvas c(b, Region::FromRects(parts));
  c.EditRuns({8, 5, -2, 1}, [&](Pixel* row, int y, int x0, int x1) {  // reversed, reaches past the left edge
    EXPECT_EQ(row, b.Row(y));
    std::fill(row + x0, row + x1, kInk);
  });
  const testing::Mask expected =
      RectPixels({0, 1, 3, 5}, b.Bounds()).Combine(RectPixels({5, 2, 8, 4}, b.Bounds()), std::logical_or<>());
  EXPECT_EQ(Inked(b), expected);
  EXPECT_EQ(c.TakeTouched(), (Rect{0, 1, 8, 5}));
  c.EditRuns({3, 0, 5, 6}, [](Pixel*, int, int, int) { ADD_FAILURE() << "a run outside the clip"; });
  c.EditRuns({0, 6, 10, 9}, [](Pixel*, int, int, int) { ADD_FAILURE() << "a run below the target"; });
  EXPECT_TRUE(c.TakeTouched().IsEmpty());
}

TEST(TileBitmapTest, RepeatsTheTileAndCutsTheLastColumnAndRow) {
  Bitmap tile(2, 2);
  tile.At(0, 0) = MakePixel(1, 0, 0);
  tile.At(1, 0) = MakePixel(2, 0, 0);
  tile.At(0, 1) = MakePixel(3, 0, 0);
  tile.At(1, 1) = MakePixel(4, 0, 0);
  for (const auto& [w, h] : {std::pair{5, 3}, std::pair{4, 4}, std::pair{1, 1}}) {
    Bitmap target(w, h, MakePixel(0, 9, 9));
    TileBitmap(target, tile);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) EXPECT_EQ(target.At(x, y), tile.At(x % 2, y % 2)) << x << "," << y;
  }
}

TEST(TileBitmapTest, EmptyTileDrawsNothing) {
  Bitmap target(3, 3, MakePixel(0, 9, 9));
  TileBitmap(target, Bitmap());
  EXPECT_EQ(target.At(2, 2), MakePixel(0, 9, 9));
}

}  // namespace
}  // namespace raster

namespace {

TEST(CanvasTouched, BoundsOfWhatWasDrawnInsideTheTarget) {
  raster::Bitmap target(20, 10);
  raster::Bitmap source(4, 4, raster::MakePixel(1, 2, 3));
  raster::Canvas canvas(target);
  EXPECT_TRUE(canvas.TakeTouched().IsEmpty());
  canvas.Blit({18, 8}, source, source.Bounds());           // reaches past the target
  canvas.FillRect({3, 2, 1, 1}, raster::MakePixel(9, 9, 9));  // reversed
  EXPECT_EQ(canvas.TakeTouched(), (raster::Rect{1, 1, 20, 10}));
  EXPECT_TRUE(canvas.TakeTouched().IsEmpty()) << "taking the bounds resets them";
  canvas.CopyRect({-5, -5, 2, 3}, source, source.Bounds());
  canvas.SetPixel(7, 7, raster::MakePixel(0, 0, 0));
  canvas.SetPixel(70, 7, raster::MakePixel(0, 0, 0));      // outside: nothing drawn
  EXPECT_EQ(canvas.TakeTouched(), (raster::Rect{0, 0, 8, 8}));
  canvas.FillRect({30, 30, 40, 40}, raster::MakePixel(0, 0, 0));
  EXPECT_TRUE(canvas.TakeTouched().IsEmpty());
}

}  // namespace
