// The move and two-bar effects: every member at several picture sizes (down to
// 1x1, and long thin ones) and speeds 1..50 ends with the whole picture shown,
// never draws outside the picture rectangle, and shows nothing but picture
// pixels, the back image or the old image in between. Then tick-by-tick
// checks of the stated shapes.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "raster/canvas.h"
#include "transition_scene.h"
#include "transitions/transition_engine.h"

namespace {

using transitions::TransitionEngine;
using transitions_test::kBack;
using transitions_test::Scene;

constexpr int kFamily[] = {59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77,
                           78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 133, 134, 135, 136, 137, 138, 139, 140};
static_assert(std::size(kFamily) == 38);

struct MoveScene : transitions_test::BackScene {
  using BackScene::BackScene;
  // Columns x0..x0+n of the target show picture columns from src on, rows y0..y1.
  bool ShowsColumns(int src, int x0, int n, int y0, int y1) const {
    for (int y = y0; y < y1; ++y)
      for (int i = 0; i < n; ++i)
        if (target.At(origin.x + x0 + i, origin.y + y) != picture.At(src + i, y)) return false;
    return true;
  }
  bool ShowsColumns(int src, int x0, int n) const { return ShowsColumns(src, x0, n, 0, picture.Height()); }
  bool ColumnsHold(raster::Pixel value, int x0, int x1) const {
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = x0; x < x1; ++x)
        if (target.At(origin.x + x, origin.y + y) != value) return false;
    return true;
  }
};

class MoveFamily : public ::testing::TestWithParam<int> {};

TEST_P(MoveFamily, CompletesWithOnlyPicturePixelsInsideThePicture) {
  transitions_test::SweepSizesAndSpeeds<MoveScene>(GetParam(),
                                                   [](const MoveScene& scene) { return scene.OnlyKnownPixels(); });
}

INSTANTIATE_TEST_SUITE_P(Members, MoveFamily, ::testing::ValuesIn(kFamily),
                         [](const ::testing::TestParamInfo<int>& m) { return "n" + std::to_string(m.param); });

TEST(MoveLeft, HundredColumnsAtSpeed30) {
  MoveScene scene(100, 8);
  base::SeededRandom random(1);
  TransitionEngine engine(random);
  engine.StartNumber(69, 30, scene.Surfaces());
  EXPECT_FALSE(engine.ShowTimerTimer());  // Position 0: nothing visible
  EXPECT_TRUE(scene.ColumnsHold(transitions_test::kSentinel, 0, 100));
  for (int p : {30, 60, 90}) {
    EXPECT_FALSE(engine.ShowTimerTimer());
    EXPECT_TRUE(scene.ShowsColumns(0, 100 - p, p)) << p;
    EXPECT_TRUE(scene.ColumnsHold(transitions_test::kSentinel, 0, 100 - p)) << p;
  }
  EXPECT_FALSE(engine.ShowTimerTimer());  // 120: the whole picture
  EXPECT_TRUE(scene.PictureComplete());
  EXPECT_TRUE(engine.ShowTimerTimer());  // 150 >= 131
}

TEST(MoveLeft5, SlicesOf21AtSpeed50OnThreeHundredColumns) {
  MoveScene scene(300, 4);
  base::SeededRandom random(1);
  TransitionEngine engine(random);
  engine.StartNumber(74, 50, scene.Surfaces());
  EXPECT_EQ(engine.State().Step, 21);
  EXPECT_FALSE(engine.ShowTimerTimer());  // slice 1 enters at the right edge
  EXPECT_TRUE(scene.ShowsColumns(0, 279, 21));
  EXPECT_FALSE(engine.ShowTimerTimer());  // ... moves on 21 pixels, its trail restored
  EXPECT_TRUE(scene.ShowsColumns(0, 258, 21));
  EXPECT_TRUE(scene.ColumnsHold(kBack, 279, 300));
  while (engine.State().Counter == 1) ASSERT_FALSE(engine.ShowTimerTimer());
  EXPECT_TRUE(scene.ShowsColumns(0, 0, 21));
  EXPECT_TRUE(scene.ColumnsHold(kBack, 21, 300));
  while (engine.State().Counter < 15) ASSERT_FALSE(engine.ShowTimerTimer());
  EXPECT_TRUE(scene.ShowsColumns(0, 0, 294));  // slices 1..14 at their places
  EXPECT_TRUE(scene.ColumnsHold(kBack, 294, 300));
  EXPECT_FALSE(engine.ShowTimerTimer());  // slice 15 is drawn from 279..300 at once
  EXPECT_TRUE(scene.PictureComplete());
  EXPECT_TRUE(engine.ShowTimerTimer());
}

// The second frame (Position 10 at speed 10) of each direction and corner: the
// listed picture blocks stand at their places, nothing else is drawn.
struct Block {
  raster::Rect src;
  raster::Point dst;
};
struct SecondFrame {
  int number;
  int w, h;
  Block blocks[2];
};

constexpr SecondFrame kSecondFrames[] = {
    {59, 40, 30, {{{0, 20, 40, 30}, {0, 0}}}},   // Move down
    {82, 40, 30, {{{0, 0, 40, 10}, {0, 20}}}},   // Move up
    {69, 40, 30, {{{0, 0, 10, 30}, {30, 0}}}},   // Move left
    {76, 40, 30, {{{30, 0, 40, 30}, {0, 0}}}},   // Move right
    {67, 40, 20, {{{30, 15, 40, 20}, {0, 0}}}},  // from top left: Ratio 0.5, 5 rows
    {68, 40, 20, {{{0, 15, 10, 20}, {30, 0}}}},
    {65, 40, 20, {{{30, 0, 40, 5}, {0, 15}}}},
    {66, 40, 20, {{{0, 0, 10, 5}, {30, 15}}}},
    {75, 40, 30, {{{10, 0, 20, 30}, {0, 0}}, {{20, 0, 30, 30}, {30, 0}}}},  // halves meet at 20
    {88, 40, 30, {{{0, 5, 40, 15}, {0, 0}}, {{0, 15, 40, 25}, {0, 20}}}},   // ... at 15
    {139, 40, 30, {{{30, 0, 40, 16}, {30, 0}}, {{0, 16, 10, 30}, {0, 16}}}},  // bars split at 30 div 2 + 1
    {137, 40, 30, {{{0, 0, 10, 16}, {30, 0}}, {{30, 16, 40, 30}, {0, 16}}}},
    {136, 40, 30, {{{0, 20, 21, 30}, {0, 20}}, {{21, 0, 40, 10}, {21, 0}}}},  // ... at 40 div 2 + 1
    {134, 40, 30, {{{0, 0, 21, 10}, {0, 20}}, {{21, 20, 40, 30}, {21, 0}}}},
};

TEST(MoveDirections, SecondFrameShowsTheBlocksAtTheirPlaces) {
  for (const SecondFrame& frame : kSecondFrames) {
    SCOPED_TRACE(frame.number);
    MoveScene scene(frame.w, frame.h);
    raster::Bitmap expected = scene.target;
    raster::Canvas canvas(expected);
    for (const Block& block : frame.blocks)
      canvas.Blit({scene.origin.x + block.dst.x, scene.origin.y + block.dst.y}, scene.picture, block.src);
    base::SeededRandom random(1);
    TransitionEngine engine(random);
    engine.StartNumber(frame.number, 10, scene.Surfaces());
    EXPECT_FALSE(engine.ShowTimerTimer());
    EXPECT_FALSE(engine.ShowTimerTimer());
    for (int y = 0; y < expected.Height(); ++y)
      for (int x = 0; x < expected.Width(); ++x) ASSERT_EQ(scene.target.At(x, y), expected.At(x, y)) << x << "," << y;
  }
}

// At the tick that ends a phase the part that moved stands at its exact place.
struct PhaseEnd {
  int number;
  int phase;             // the phase that ends
  int src, dst, count;   // columns that then show the picture
  int backFrom, backTo;  // columns restored from the back image
};

// On 101 columns the halves are 0..50 (far) and 50..101 (near) for the travel
// to the left, and mirrored for the travel to the right.
constexpr PhaseEnd kPhaseEnds[] = {
    {70, 0, 50, 50, 51, 0, 0},  {70, 1, 0, 0, 101, 0, 0},    {71, 0, 50, 50, 51, 0, 0},
    {71, 1, 0, 0, 101, 0, 0},   {72, 0, 0, 51, 50, 0, 0},    {72, 1, 0, 0, 50, 51, 101},
    {72, 2, 0, 0, 101, 0, 0},   {73, 1, 0, 0, 50, 51, 101},  {73, 2, 0, 0, 101, 0, 0},
    {77, 0, 0, 0, 51, 0, 0},    {79, 0, 51, 0, 50, 0, 0},    {79, 1, 51, 51, 50, 0, 50},
};

TEST(NumberedMoves, PhaseEndDrawsThePartAtItsPlace) {
  for (const PhaseEnd& end : kPhaseEnds) {
    SCOPED_TRACE(::testing::Message() << end.number << " phase " << end.phase);
    MoveScene scene(101, 6);
    base::SeededRandom random(1);
    TransitionEngine engine(random);
    engine.StartNumber(end.number, 13, scene.Surfaces());
    while (engine.State().Phase <= end.phase) ASSERT_FALSE(engine.ShowTimerTimer());
    EXPECT_EQ(engine.State().Position, 0);
    EXPECT_TRUE(scene.ShowsColumns(end.src, end.dst, end.count));
    EXPECT_TRUE(scene.ColumnsHold(kBack, end.backFrom, end.backTo));
  }
}

TEST(TowBarMoveDown, HundredAndOneColumnsSplitAt51) {
  MoveScene scene(101, 40);
  base::SeededRandom random(1);
  TransitionEngine engine(random);
  engine.StartNumber(133, 10, scene.Surfaces());
  EXPECT_EQ(engine.State().HalfX, 51);
  EXPECT_FALSE(engine.ShowTimerTimer());  // Position 0
  EXPECT_FALSE(engine.ShowTimerTimer());  // Position 10
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 101; ++x) {
      // The left bar (columns 0..50) comes down from the top showing its last
      // rows, the right bar (51..100) comes up from the bottom with its first.
      const bool left = x < 51;
      const int row = left ? y : 30 + y;
      ASSERT_EQ(scene.target.At(scene.origin.x + x, scene.origin.y + row), scene.picture.At(x, left ? 30 + y : y))
          << x << "," << row;
    }
  for (int y = 10; y < 30; ++y) EXPECT_TRUE(scene.RowUntouched(y, 0, 101)) << y;
}

}  // namespace
