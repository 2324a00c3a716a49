// Tick-by-tick checks of the band, scan and line wipes against their stated
// timings and shapes.
#include <gtest/gtest.h>

#include "transition_scene.h"
#include "transitions/transition_engine.h"

namespace {

using transitions::TransitionEngine;
using transitions_test::CountingRandom;
using transitions_test::Scene;

TEST(BandDownLarge, HundredSquareAtSpeed25) {
  Scene scene(100, 100);
  CountingRandom random(3);
  TransitionEngine engine(random);
  engine.StartNumber(0, 25, scene.Surfaces());
  for (int tick = 1; tick <= 6; ++tick) {
    const int before = random.draws;
    EXPECT_FALSE(engine.ShowTimerTimer()) << tick;
    EXPECT_EQ(random.draws - before, 21) << "one overshoot per tooth, tick " << tick;
    if (tick == 1) {
      // Each 5-pixel tooth is one clean column strip from the top, 0..49 long.
      for (int k = 0; k < 20; ++k) {
        int length = 0;
        while (length < 100 && scene.Shown(5 * k, length)) ++length;
        EXPECT_LT(length, 50);
        for (int x = 5 * k; x < 5 * k + 5; ++x)
          for (int y = 0; y < 100; ++y) EXPECT_EQ(scene.Shown(x, y), y < length);
      }
    }
  }
  EXPECT_TRUE(scene.PictureComplete());  // every tooth reached full length by tick 6 (Position 125)
  const raster::Bitmap before = scene.target;
  const int drawsBefore = random.draws;
  EXPECT_TRUE(engine.ShowTimerTimer());  // tick 7, Position 150: done, nothing drawn
  EXPECT_EQ(random.draws, drawsBefore);
  EXPECT_TRUE(scene.OutsideUntouched());
  for (int y = 0; y < before.Height(); ++y)
    for (int x = 0; x < before.Width(); ++x) ASSERT_EQ(before.At(x, y), scene.target.At(x, y));
}

TEST(StraightBands, SmallTeethAreOnePixelAndOvershootIsDrawnPerTooth) {
  Scene scene(30, 60);
  CountingRandom random(5);
  TransitionEngine engine(random);
  engine.StartNumber(15, 10, scene.Surfaces());  // "Band right small": one tooth per row
  EXPECT_FALSE(engine.ShowTimerTimer());
  EXPECT_EQ(random.draws, 60);
  for (int32_t range : random.ranges) EXPECT_EQ(range, 50);
  engine.StartNumber(12, 10, scene.Surfaces());  // "Band left large": (60 + 5) div 5 teeth
  random.draws = 0;
  EXPECT_FALSE(engine.ShowTimerTimer());
  EXPECT_EQ(random.draws, 13);
}

TEST(ScanDown, HundredRowsAtSpeed30) {
  Scene scene(20, 100);
  base::SeededRandom random(1);
  TransitionEngine engine(random);
  engine.StartNumber(104, 30, scene.Surfaces());
  const int ends[] = {30, 60, 90, 100};
  for (int tick = 0; tick < 4; ++tick) {
    EXPECT_EQ(engine.ShowTimerTimer(), tick == 3) << tick;
    for (int y = 0; y < 100; ++y) EXPECT_EQ(scene.RowShown(y, 0, 20), y < ends[tick]) << tick << " row " << y;
  }
  EXPECT_TRUE(scene.OutsideUntouched());
}

TEST(ShutterVertical, LastColumnsOnlyByTheFinalDraw) {
  Scene scene(1024, 20);
  base::SeededRandom random(1);
  TransitionEngine engine(random);
  engine.StartNumber(119, 8, scene.Surfaces());
  EXPECT_EQ(engine.State().BarCount, 102);
  EXPECT_EQ(engine.State().BarSize, 10);
  int ticks = 0;
  while (!engine.ShowTimerTimer()) {
    ++ticks;
    for (int y = 0; y < 20; ++y) ASSERT_TRUE(scene.RowUntouched(y, 1020, 1024)) << "tick " << ticks;
    ASSERT_LT(ticks, 100);
  }
  EXPECT_EQ(ticks, 20 / 8 + 1);  // Position 0, 8, 16 draw; 24 > 20 draws the whole picture
  EXPECT_TRUE(scene.PictureComplete());
}

TEST(ShutterVertical, BarsRevealFromOppositeEnds) {
  Scene scene(40, 30);
  base::SeededRandom random(1);
  TransitionEngine engine(random);
  engine.StartNumber(119, 5, scene.Surfaces());
  EXPECT_FALSE(engine.ShowTimerTimer());
  for (int x = 0; x < 40; ++x) {
    const bool even = (x / 10) % 2 == 0;
    for (int y = 0; y < 30; ++y) EXPECT_EQ(scene.Shown(x, y), even ? y < 5 : y >= 25) << x << "," << y;
  }
}

TEST(Shutters, PicturesTooSmallForABarAreShownWhole) {
  for (auto [w, h, number] : {std::tuple{9, 50, 119}, std::tuple{50, 9, 118}, std::tuple{1, 1, 119}}) {
    Scene scene(w, h);
    base::SeededRandom random(1);
    TransitionEngine engine(random);
    engine.StartNumber(number, 25, scene.Surfaces());
    EXPECT_TRUE(engine.ShowTimerTimer());
    EXPECT_TRUE(scene.PictureComplete());
    EXPECT_TRUE(scene.OutsideUntouched());
  }
}

TEST(LinesHorizontal, EveryRowOnceInHTicksThenTheListIsFreed) {
  Scene scene(12, 37);
  base::SeededRandom random(9);
  TransitionEngine engine(random);
  engine.StartNumber(56, 25, scene.Surfaces());
  EXPECT_EQ(engine.State().LineList.size(), 37u);
  for (int tick = 1; tick <= 37; ++tick) {
    int shown = 0;
    const bool done = engine.ShowTimerTimer();
    for (int y = 0; y < 37; ++y) {
      if (scene.RowShown(y, 0, 12)) {
        ++shown;
      } else {
        EXPECT_TRUE(scene.RowUntouched(y, 0, 12));
      }
    }
    EXPECT_EQ(shown, tick);
    EXPECT_EQ(done, tick == 37);
  }
  EXPECT_EQ(engine.State().LineList.capacity(), 0u);
}

TEST(RandomCrossLines, ColumnsOnceEachPlusARandomRowPerTick) {
  Scene scene(25, 40);
  CountingRandom random(4);
  TransitionEngine engine(random);
  engine.StartNumber(99, 25, scene.Surfaces());
  int ticks = 0;
  while (!engine.ShowTimerTimer()) ASSERT_LT(++ticks, 1000);
  EXPECT_EQ(ticks + 1, 25);
  EXPECT_EQ(random.draws, 50);
  for (size_t i = 1; i < random.ranges.size(); i += 2) EXPECT_EQ(random.ranges[i], 40);
  EXPECT_TRUE(scene.PictureComplete());
}

TEST(WindowBlinds, TwentyDrawingTicksPlusOne) {
  for (int number : {145, 146, 147, 148}) {
    Scene scene(45, 43);
    base::SeededRandom random(1);
    TransitionEngine engine(random);
    EXPECT_EQ(engine.StartNumber(number, 25, scene.Surfaces()).intervalMs, 30);
    for (int tick = 1; tick <= 20; ++tick) EXPECT_FALSE(engine.ShowTimerTimer()) << number << " " << tick;
    EXPECT_TRUE(scene.PictureComplete());
    EXPECT_TRUE(engine.ShowTimerTimer());
  }
}

TEST(WindowBlindRight, FirstTickShowsEveryTwentiethColumn) {
  Scene scene(45, 5);
  base::SeededRandom random(1);
  TransitionEngine engine(random);
  engine.StartNumber(147, 25, scene.Surfaces());
  engine.ShowTimerTimer();
  for (int x = 0; x < 45; ++x) EXPECT_EQ(scene.Shown(x, 2), x % 20 == 0) << x;
}

TEST(SweepRight, DrawingTicksRoundUpPlusOne) {
  for (int w : {1, 20, 21, 333}) {
    Scene scene(w, 7);
    base::SeededRandom random(1);
    TransitionEngine engine(random);
    EXPECT_EQ(engine.StartNumber(131, 3, scene.Surfaces()).intervalMs, 50);
    int ticks = 1;
    while (!engine.ShowTimerTimer()) ASSERT_LT(++ticks, 1000);
    EXPECT_EQ(ticks, (w + 400 + 19) / 20 + 1) << w;
    EXPECT_TRUE(scene.PictureComplete());
  }
}

TEST(SweepRight, CellsFillFromTheirLeftEdge) {
  Scene scene(100, 3);
  base::SeededRandom random(1);
  TransitionEngine engine(random);
  engine.StartNumber(131, 25, scene.Surfaces());
  // Cell 0 gets strip i while Position is -20 i: widths 1, 2, 3, 4 in ticks 2..5.
  for (int k = 0; k < 5; ++k) engine.ShowTimerTimer();
  for (int x = 0; x < 20; ++x) EXPECT_EQ(scene.Shown(x, 1), x < 4) << x;
}

TEST(InterlacedLines, LineRightShowsEvenColumnsFirst) {
  Scene scene(7, 4);
  base::SeededRandom random(1);
  TransitionEngine engine(random);
  engine.StartNumber(52, 25, scene.Surfaces());
  for (int tick = 0; tick < 4; ++tick) EXPECT_FALSE(engine.ShowTimerTimer());
  for (int x = 0; x < 7; ++x) EXPECT_EQ(scene.Shown(x, 0), x % 2 == 0) << x;
  EXPECT_FALSE(engine.ShowTimerTimer());  // column 1
  EXPECT_FALSE(engine.ShowTimerTimer());  // column 3
  EXPECT_TRUE(engine.ShowTimerTimer());   // column 5, the last
  EXPECT_TRUE(scene.PictureComplete());
}

TEST(InterlacedLines, ReboundRunsTheSecondPassBack) {
  for (auto [w, lastOdd] : {std::pair{8, 7}, std::pair{9, 7}}) {
    Scene scene(w, 2);
    base::SeededRandom random(1);
    TransitionEngine engine(random);
    engine.StartNumber(53, 25, scene.Surfaces());  // "Line right rebound"
    for (int x = 0; x < w; x += 2) EXPECT_FALSE(engine.ShowTimerTimer());
    engine.ShowTimerTimer();
    for (int x = 1; x < w; x += 2) EXPECT_EQ(scene.Shown(x, 0), x == lastOdd) << w << " " << x;
  }
}

TEST(InterlacedLines, LineLeftReboundSecondPassStartsAtTheOtherParity) {
  for (auto [w, firstSecond] : {std::pair{8, 0}, std::pair{9, 1}}) {
    Scene scene(w, 2);
    base::SeededRandom random(1);
    TransitionEngine engine(random);
    engine.StartNumber(51, 25, scene.Surfaces());  // "Line left rebound"
    for (int x = w - 1; x >= 0; x -= 2) EXPECT_FALSE(engine.ShowTimerTimer());
    engine.ShowTimerTimer();
    for (int x = w - 2; x >= 0; x -= 2) EXPECT_EQ(scene.Shown(x, 0), x == firstSecond) << w << " " << x;
  }
}

TEST(BandToCenter, KeepsTheOldImageInTheMiddleUntilTheEnd) {
  Scene scene(60, 40);
  base::SeededRandom random(2);
  TransitionEngine engine(random);
  engine.StartNumber(16, 5, scene.Surfaces());
  EXPECT_FALSE(engine.ShowTimerTimer());
  EXPECT_TRUE(scene.Untouched(30, 20));  // the centre still shows the old image
  EXPECT_TRUE(scene.Shown(0, 0) || scene.Untouched(0, 0));
  int ticks = 1;
  while (!engine.ShowTimerTimer()) {
    ASSERT_TRUE(scene.OnlyPicturePixelsAtTheirPlaces());
    ASSERT_LT(++ticks, 1000);
  }
  EXPECT_TRUE(scene.PictureComplete());
}

TEST(BandToCenter, TopSpeedEndsWithTheWholePicture) {
  // HalfX = 100 and speed 50: the last ragged frame is drawn at Position 0,
  // which still keeps a small old rectangle at the centre.
  Scene scene(198, 120);
  base::SeededRandom random(2);
  TransitionEngine engine(random);
  engine.StartNumber(17, 50, scene.Surfaces());
  int ticks = 1;
  while (!engine.ShowTimerTimer()) ASSERT_LT(++ticks, 100);
  EXPECT_EQ(ticks, 4);  // Position 100, 50, 0 draw; -50 completes
  EXPECT_TRUE(scene.PictureComplete());
  EXPECT_TRUE(scene.OutsideUntouched());
}

TEST(CornerBands, LeftTopGrowsFromTheCorner) {
  Scene scene(80, 40);
  base::SeededRandom random(8);
  TransitionEngine engine(random);
  engine.StartNumber(6, 10, scene.Surfaces());
  engine.ShowTimerTimer();  // Position 0: the corner tooth only
  EXPECT_TRUE(scene.RowUntouched(39, 0, 80));
  EXPECT_TRUE(scene.Untouched(79, 0) || scene.Untouched(79, 14));
  Scene mirrored(80, 40);
  engine.StartNumber(8, 10, mirrored.Surfaces());  // right-bottom
  engine.ShowTimerTimer();
  EXPECT_TRUE(mirrored.RowUntouched(0, 0, 80));
  EXPECT_TRUE(mirrored.Untouched(0, 39) || mirrored.Untouched(0, 25));
}

}  // namespace
