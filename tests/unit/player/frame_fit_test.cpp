#include "player/frame_fit.h"

#include <gtest/gtest.h>

#include "project/picture_test_random.h"

namespace player {
namespace {

using project_test::ScriptedRandom;
using raster::Point;
using raster::Rect;

constexpr Size kScreen{1024, 768};

TEST(FitWithin, PicturesThatFitKeepTheirSize) {
  EXPECT_EQ(FitWithin({800, 600}, kScreen), (Size{800, 600}));
  EXPECT_EQ(FitWithin({1024, 768}, kScreen), (Size{1024, 768}));
  EXPECT_EQ(FitWithin({1, 1}, kScreen), (Size{1, 1}));
}

TEST(FitWithin, ShrinksByTheSideThatOverflows) {
  EXPECT_EQ(FitWithin({2000, 1000}, kScreen), (Size{1024, 512}));
  EXPECT_EQ(FitWithin({500, 1000}, kScreen), (Size{384, 768}));
  // Too wide first, then still too high: the height decides.
  EXPECT_EQ(FitWithin({2000, 1900}, kScreen), (Size{808, 768}));
  // The preview window of the display control panel.
  EXPECT_EQ(FitWithin({6000, 4000}, {152, 112}), (Size{152, 101}));
}

TEST(FitWithin, RoundsHalvesToEven) {
  EXPECT_EQ(FitWithin({8, 5}, {4, 100}), (Size{4, 2}));   // 2.5 -> 2
  EXPECT_EQ(FitWithin({8, 7}, {4, 100}), (Size{4, 4}));   // 3.5 -> 4
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

TEST(FitByHeight, CutsTheAreaProportionedTopLeftPart) {
  EXPECT_EQ(FitByHeight({1000, 1000}, kScreen), (Rect{0, 0, 1000, 750}));
  EXPECT_EQ(FitByHeight({600, 1200}, kScreen), (Rect{0, 0, 600, 450}));
  EXPECT_EQ(FitByHeight({2000, 1000}, kScreen), (Rect{0, 0, 1333, 1000}));
  EXPECT_EQ(FitByHeight({1024, 768}, kScreen), (Rect{0, 0, 1024, 768}));
}

TEST(FitByHeight, TheCutNeverReachesPastThePicture) {
  // Slightly wider than high on a 4:3 screen: a full-height cut would need 1333
  // columns of 1100, so the full width is used.
  EXPECT_EQ(FitByHeight({1100, 1000}, kScreen), (Rect{0, 0, 1100, 825}));
  // Portrait screens: the other way round.
  EXPECT_EQ(FitByHeight({900, 1000}, {768, 1024}), (Rect{0, 0, 750, 1000}));
  EXPECT_EQ(FitByHeight({1000, 900}, {768, 1024}), (Rect{0, 0, 675, 900}));
  for (int w = 1; w < 60; w += 7)
    for (int h = 1; h < 60; h += 5) {
      const Rect cut = FitByHeight({w, h}, {37, 23});
      EXPECT_GE(cut.Width(), 1);
      EXPECT_GE(cut.Height(), 1);
      EXPECT_LE(cut.Width(), w);
      EXPECT_LE(cut.Height(), h);
    }
}

TEST(PlanFit, ModesInFullScreenAndPreview) {
  const Size picture{2000, 1000};
  EXPECT_EQ(PlanFit(0, false, picture, kScreen).size, picture);
  EXPECT_EQ(PlanFit(0, true, picture, kScreen).size, (Size{1024, 512}));
  EXPECT_EQ(PlanFit(1, false, picture, kScreen).size, (Size{1024, 512}));
  const FitPlan fill = PlanFit(2, false, {1000, 1000}, kScreen);
  EXPECT_EQ(fill.size, kScreen);
  EXPECT_EQ(fill.crop, (Rect{0, 0, 1000, 750}));
  const FitPlan fillPreview = PlanFit(2, true, {1000, 1000}, kScreen);
  EXPECT_EQ(fillPreview.size, (Size{768, 768}));
  EXPECT_EQ(fillPreview.crop, (Rect{0, 0, 1000, 1000}));
  EXPECT_EQ(PlanFit(3, false, {10, 10}, kScreen).size, kScreen);
  EXPECT_EQ(PlanFit(3, true, {10, 10}, kScreen).size, kScreen);
  EXPECT_TRUE(PlanFit(4, false, picture, kScreen).keepPrevious);
  EXPECT_TRUE(PlanFit(-1, true, picture, kScreen).keepPrevious);
  EXPECT_FALSE(PlanFit(1, false, picture, kScreen).keepPrevious);
}

TEST(CoverBox, WhatAReducedDecodeMustStillCover) {
  const Size photo{6000, 4000};
  EXPECT_EQ(CoverBox(PlanFit(1, false, photo, {3840, 2160}), photo), (Size{3240, 2160}));
  EXPECT_EQ(CoverBox(PlanFit(3, false, photo, {1920, 1080}), photo), (Size{1920, 1080}));
  EXPECT_EQ(CoverBox(PlanFit(0, false, photo, {1920, 1080}), photo), photo);  // actual size: everything
  // The 4000 x 3000 crop must itself still cover 1024 x 768.
  EXPECT_EQ(CoverBox(PlanFit(2, false, {4000, 4000}, kScreen), {4000, 4000}), (Size{1024, 1024}));
  // Never more than the picture.
  EXPECT_EQ(CoverBox(PlanFit(3, false, {100, 50}, kScreen), {100, 50}), (Size{100, 50}));
  EXPECT_EQ(CoverBox(PlanFit(1, false, {0, 0}, kScreen), {0, 0}), (Size{}));
}

TEST(Placement, CentredOriginIsNegativeForLargerPictures) {
  EXPECT_EQ(CentredOrigin({800, 600}, kScreen), (Point{112, 84}));
  EXPECT_EQ(CentredOrigin({1024, 512}, kScreen), (Point{0, 128}));
  EXPECT_EQ(CentredOrigin({2000, 1001}, kScreen), (Point{-488, -116}));  // div rounds towards zero
  EXPECT_EQ(CentredOrigin({1025, 769}, kScreen), (Point{0, 0}));
}

TEST(Placement, RandomOriginStaysInsideTheArea) {
  base::SeededRandom random(42);
  const Size picture{800, 600};
  int maxX = 0, maxY = 0;
  for (int i = 0; i < 2000; ++i) {
    const Point p = RandomOrigin(picture, kScreen, random);
    ASSERT_GE(p.x, 0);
    ASSERT_GE(p.y, 0);
    ASSERT_LE(p.x, 1024 - 800 - 1);
    ASSERT_LE(p.y, 768 - 600 - 1);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
  }
  EXPECT_GT(maxX, 200);  // the whole range is used
  EXPECT_GT(maxY, 150);
}

TEST(Placement, RandomOriginDrawsXThenYFromTheRoomLeft) {
  ScriptedRandom random({5, 9});
  EXPECT_EQ(RandomOrigin({800, 600}, kScreen, random), (Point{5, 9}));
  EXPECT_EQ(random.ranges, (std::vector<int32_t>{224, 168}));
}

TEST(Placement, RandomOriginCentresAnAxisThePictureOverfills) {
  ScriptedRandom random({33});
  // Wider than the area (actual size): x centred, y random.
  EXPECT_EQ(RandomOrigin({2000, 600}, kScreen, random), (Point{-488, 33}));
  EXPECT_EQ(random.ranges, (std::vector<int32_t>{168}));
  // An axis filled exactly is 0 without a draw.
  ScriptedRandom exact;
  EXPECT_EQ(RandomOrigin(kScreen, kScreen, exact), (Point{0, 0}));
  EXPECT_TRUE(exact.ranges.empty());
}

TEST(Tiles, WidthFromTheCountOrTheRandomNumber) {
  EXPECT_EQ(TileWidth(false, 0, 20, 1024, 300), 16);      // round(15) + 1
  EXPECT_EQ(TileWidth(false, 0, 3, 1024, 300), 101);
  EXPECT_EQ(TileWidth(true, 3, 20, 1024, 300), 342);      // round(341.33) + 1
  EXPECT_EQ(TileWidth(true, 1, 20, 1024, 300), 1025);
  EXPECT_EQ(TileWidth(false, 0, 39, 1024, 300), 16);      // round(7.7) + 1 = 9, raised to 16
  EXPECT_EQ(TileWidth(true, 200, 200, 1024, 300), 16);
}

TEST(Tiles, ACountOfZeroOrLessCountsAsOne) {
  EXPECT_EQ(TileWidth(false, 0, 0, 1024, 300), 301);
  EXPECT_EQ(TileWidth(false, 0, -5, 1024, 300), 301);
  EXPECT_EQ(TileWidth(true, 0, 0, 1024, 300), 1025);
}

TEST(Tiles, HeightKeepsTheProportionsAndIsNeverZero) {
  EXPECT_EQ(TileHeight(16, {300, 150}), 8);
  EXPECT_EQ(TileHeight(16, {300, 200}), 11);  // 10.67
  EXPECT_EQ(TileHeight(16, {3000, 10}), 1);
  EXPECT_EQ(TileHeight(16, {0, 0}), 1);
}

}  // namespace
}  // namespace player
