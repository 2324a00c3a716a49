// The grid, cell and dissolve effects: every member at several picture sizes
// (down to 1x1, and long thin ones) and speeds ends after its fixed number of
// ticks with the whole picture shown, never draws outside the picture
// rectangle and shows only picture pixels at their places or the old image in
// between. Then tick by tick: the order of the cells, the checkerboard
// passes, the boxes and the dissolve's rounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "raster/geometry.h"
#include "transition_scene.h"
#include "transitions/transition_engine.h"

namespace {

using raster::Point;
using raster::Rect;
using transitions::TransitionEngine;
using transitions_test::Scene;

constexpr int kFamily[] = {20, 21, 24, 25, 26, 27, 28, 29, 30, 31, 47, 58, 89, 90, 157, 158, 159, 160};

// The ticks up to and including the one that reports completion, fixed by
// the effect's rule whatever the picture and the speed; 0 for the multi-boxes,
// whose count follows the picture's width.
int FixedTicks(int number) {
  switch (number) {
    case 20: case 21: return 65;           // 64 cells, then an idle tick
    case 26: return 41;                    // "Checkerboard left" ends on a tick of its own
    case 47: return 43;                    // 6 x (6 drawing + 1 advancing) + the final draw
    case 58: case 157: case 158: case 159: case 160: return 400;
    case 89: case 90: return 0;
    default: return 40;                    // the other checkerboards
  }
}

class GridFamily : public ::testing::TestWithParam<int> {};

TEST_P(GridFamily, CompletesOnTimeWithinThePicture) {
  const int number = GetParam();
  transitions_test::SweepSizesAndSpeeds<Scene>(
      number, transitions_test::OnlyOwnPixels,
      [](const TransitionEngine& engine) {
        EXPECT_TRUE(engine.State().CellList.empty());
        EXPECT_EQ(engine.State().CellList.capacity(), 0u);
      },
      FixedTicks(number));
}

INSTANTIATE_TEST_SUITE_P(Members, GridFamily, ::testing::ValuesIn(kFamily),
                         [](const ::testing::TestParamInfo<int>& m) { return "n" + std::to_string(m.param); });

constexpr Point kNoCell{-1, -1};

// Runs a cell effect to completion and lists the cell that each tick showed
// (kNoCell for a tick that showed nothing new); fails unless the new pixels of
// every tick are exactly one cell of cw x ch cut to the picture.
std::vector<Point> CellsPerTick(int number, int w, int h, int cw, int ch, base::Random& random) {
  Scene scene(w, h);
  TransitionEngine engine(random);
  engine.StartNumber(number, 25, scene.Surfaces());
  std::vector<bool> shown(static_cast<size_t>(w * h), false);
  std::vector<Point> cells;
  for (bool done = false; !done && cells.size() < 1000;) {
    done = engine.ShowTimerTimer();
    Rect box{w, h, 0, 0};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (scene.Shown(x, y) && !shown[static_cast<size_t>(y * w + x)]) {
          box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
          shown[static_cast<size_t>(y * w + x)] = true;
        }
    const Point cell = box.IsEmpty() ? kNoCell : Point{box.left / cw, box.top / ch};
    if (cell != kNoCell) {
      EXPECT_EQ(box, Rect::FromSize(cell.x * cw, cell.y * ch, cw, ch).Intersect({0, 0, w, h})) << cells.size();
      for (int y = box.top; y < box.bottom; ++y) EXPECT_TRUE(scene.RowShown(y, box.left, box.right));
    }
    cells.push_back(cell);
  }
  EXPECT_TRUE(scene.PictureComplete());
  return cells;
}

TEST(Mosaic, EveryCellOnceInRandomOrderOver400Ticks) {
  // 100 x 100: cells of 6 x 6; of the 120 x 120 grid, 17 x 17 cells reach into the picture.
  transitions_test::CountingRandom random(7);
  const std::vector<Point> cells = CellsPerTick(58, 100, 100, 6, 6, random);
  EXPECT_EQ(cells.size(), 400u);
  std::vector<std::pair<int, int>> shown;
  for (const Point c : cells)
    if (c != kNoCell) shown.push_back({c.x, c.y});
  EXPECT_EQ(shown.size(), 17u * 17u);
  EXPECT_EQ((std::set<std::pair<int, int>>(shown.begin(), shown.end()).size()), shown.size());  // each once
  EXPECT_FALSE(std::is_sorted(shown.begin(), shown.end()));  // not in the list's order
  std::vector<int32_t> ranges;  // one draw per tick from the cells left
  for (int left = 400; left >= 1; --left) ranges.push_back(left);
  EXPECT_EQ(random.ranges, ranges);
}

// The cells each checkerboard shows, tick by tick, on W = 400 (CellW = 21, so
// the 20 cells of a row cover 420 pixels) and H = 60 (CellH = 4).
TEST(Checkerboards, EachTickAddsTheNextLineOfItsPass) {
  struct Member {
    int number;
    bool rows;            // lines are rows, else columns
    bool firstAscending;  // first pass from line 0
    bool secondAscending;
  };
  const Member members[] = {{24, true, true, true},   {25, true, true, false},  {30, true, false, false},
                            {31, true, false, true},  {26, false, true, true},  {27, false, true, false},
                            {28, false, false, false}, {29, false, false, true}};
  const int w = 400, h = 60, cw = 21, ch = 4;
  for (const Member& m : members) {
    SCOPED_TRACE(m.number);
    Scene scene(w, h);
    base::SeededRandom random(1);
    TransitionEngine engine(random);
    engine.StartNumber(m.number, 25, scene.Surfaces());
    EXPECT_EQ(engine.State().CellW, cw);
    bool shownCell[20][20] = {};
    for (int tick = 1; tick <= 40; ++tick) {
      const bool second = tick > 20;
      const int count = (tick - 1) % 20;
      const int line = (second ? m.secondAscending : m.firstAscending) ? count : 19 - count;
      for (int k = 0; k < 20; ++k)
        if ((k + line) % 2 == (second ? 1 : 0)) (m.rows ? shownCell[k][line] : shownCell[line][k]) = true;
      const bool done = engine.ShowTimerTimer();
      ASSERT_EQ(done, tick == 40 && m.number != 26) << tick;
      int wrong = 0;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) wrong += scene.Shown(x, y) != shownCell[x / cw][y / ch];
      ASSERT_EQ(wrong, 0) << "tick " << tick;
    }
    EXPECT_TRUE(scene.PictureComplete());
    if (m.number == 26) {
      const raster::Bitmap before = scene.target;
      EXPECT_TRUE(engine.ShowTimerTimer());
      EXPECT_TRUE(std::equal(before.Row(0), before.Row(0) + before.Width() * before.Height(), scene.target.Row(0)));
    }
  }
}

// Every cell once, each next to the one before.
void ExpectConnectedWalk(const std::vector<Point>& order, size_t cells) {
  std::set<std::pair<int, int>> distinct;
  for (const Point p : order) distinct.insert({p.x, p.y});
  EXPECT_EQ(distinct.size(), cells);
  for (size_t i = 1; i < order.size(); ++i)
    EXPECT_EQ(std::abs(order[i].x - order[i - 1].x) + std::abs(order[i].y - order[i - 1].y), 1) << i;
}

TEST(BlockSpiral, FromTheCentreOutwardsAndBack) {
  // 80 x 80: cells of 11 x 11, all 64 reach into the picture; tick 65 only completes.
  base::SeededRandom random(1);
  std::vector<Point> outwards = CellsPerTick(20, 80, 80, 11, 11, random);
  ASSERT_EQ(outwards.size(), 65u);
  EXPECT_EQ(outwards.back(), kNoCell);
  outwards.pop_back();
  const std::vector<Point> start = {{3, 3}, {3, 4}, {4, 4}, {4, 3}, {4, 2}, {3, 2}, {2, 2},
                                    {2, 3}, {2, 4}, {2, 5}, {3, 5}, {4, 5}, {5, 5}};
  EXPECT_TRUE(std::equal(start.begin(), start.end(), outwards.begin()));
  EXPECT_EQ(outwards.back(), (Point{7, 0}));
  ExpectConnectedWalk(outwards, 64);
  std::vector<Point> inwards = CellsPerTick(21, 80, 80, 11, 11, random);
  inwards.pop_back();
  std::reverse(inwards.begin(), inwards.end());
  EXPECT_EQ(inwards, outwards);
}

TEST(ZigZags, SerpentineWalksThroughAllFourHundredCells) {
  struct Member {
    int number;
    Point first, second, turn, last;  // cells 1, 2, 21 and 400
  };
  const Member members[] = {{159, {0, 0}, {0, 1}, {1, 19}, {19, 0}},    // right
                            {158, {19, 0}, {19, 1}, {18, 19}, {0, 0}},  // left
                            {157, {0, 0}, {1, 0}, {19, 1}, {0, 19}},    // down
                            {160, {0, 19}, {1, 19}, {19, 18}, {0, 0}}}; // up
  for (const Member& m : members) {
    SCOPED_TRACE(m.number);
    // 39 x 39: cells of 2 x 2, the last row and column cut to one pixel.
    base::SeededRandom random(1);
    const std::vector<Point> order = CellsPerTick(m.number, 39, 39, 2, 2, random);
    ASSERT_EQ(order.size(), 400u);  // the 400th cell completes
    EXPECT_EQ(order[0], m.first);
    EXPECT_EQ(order[1], m.second);
    EXPECT_EQ(order[20], m.turn);
    EXPECT_EQ(order[399], m.last);
    ExpectConnectedWalk(order, 400);
    if (m.number == 157) {  // row 1 from column 19 to column 0
      for (int col = 19; col >= 0; --col) EXPECT_EQ(order[static_cast<size_t>(20 + 19 - col)], (Point{col, 1}));
    }
  }
}

// Multi-boxes against the rule: in every frame a pixel shows the picture
// exactly when it lies in one of the boxes of the frame's half width (growing)
// or in none of them (shrinking); elsewhere it shows the back image.
TEST(MultiBoxes, EveryFrameShowsTheBoxesOfItsHalfWidth) {
  constexpr raster::Pixel kBack = 0x00654321;
  struct Run {
    int w, h;
    int backWidth = 0;  // of the show image's, when narrower than it
  };
  // 200 x 100: CellW = 11, 11 frames of half widths 0..10, then the final draw.
  // 20 x 4000: CellW = 2; the tall boxes of half width 2 overlap their neighbours.
  // A back image that ends inside a box: past it the picture shows from the
  // first frame on, as if drawn under the boxes (only the shrinking boxes
  // draw the back image there).
  for (const int number : {89, 90})
    for (const Run r : {Run{200, 100}, Run{20, 4000}, Run{61, 37}, Run{200, 100, 100}}) {
      if (r.backWidth != 0 && number == 89) continue;
      SCOPED_TRACE(::testing::Message() << number << " " << r.w << "x" << r.h << " back " << r.backWidth);
      Scene scene(r.w, r.h);
      if (r.backWidth != 0) scene.back.Reset(r.backWidth, scene.target.Height());
      scene.back.Fill(kBack);
      base::SeededRandom random(1);
      TransitionEngine engine(random);
      engine.StartNumber(number, 25, scene.Surfaces());
      const int cw = (r.w + 20) / 20, ch = (r.h + 20) / 20;
      const float ratio = static_cast<float>(r.h) / static_cast<float>(r.w);
      for (int tick = 1; tick <= cw; ++tick) {
        const int half = number == 89 ? tick - 1 : cw + 1 - tick;
        const int down = static_cast<int>(std::nearbyint(static_cast<double>(half) * static_cast<double>(ratio)));
        std::vector<bool> inBox(static_cast<size_t>(r.w * r.h), false);
        for (int i = 0; i < 10; ++i)
          for (int j = 0; j < 10; ++j) {
            const Rect box = Rect{(2 * i + 1) * cw - half, (2 * j + 1) * ch - down, (2 * i + 1) * cw + half,
                                  (2 * j + 1) * ch + down}
                                 .Intersect({0, 0, r.w, r.h});
            for (int y = box.top; y < box.bottom; ++y)
              for (int x = box.left; x < box.right; ++x) inBox[static_cast<size_t>(y * r.w + x)] = true;
          }
        ASSERT_FALSE(engine.ShowTimerTimer()) << tick;
        int wrong = 0;
        for (int y = 0; y < r.h; ++y)
          for (int x = 0; x < r.w; ++x) {
            const bool pastBack = r.backWidth != 0 && x + Scene::kMargin >= r.backWidth;
            const bool picture = inBox[static_cast<size_t>(y * r.w + x)] == (number == 89) || pastBack;
            wrong += picture ? !scene.Shown(x, y) : scene.target.At(x + 3, y + 3) != kBack;
          }
        ASSERT_EQ(wrong, 0) << "tick " << tick << " half width " << half;
      }
      EXPECT_TRUE(engine.ShowTimerTimer());
      EXPECT_TRUE(scene.PictureComplete());
      EXPECT_TRUE(scene.OutsideUntouched());
    }
}

TEST(Dissolve, DrawsOnSixOfEverySevenTicksWithFreshRandomDraws) {
  Scene scene(61, 37);
  transitions_test::CountingRandom random(3);
  TransitionEngine engine(random);
  engine.StartNumber(47, 25, scene.Surfaces());
  for (int tick = 1; tick <= 42; ++tick) {
    const int drawsBefore = random.draws;
    const raster::Bitmap before = scene.target;
    ASSERT_FALSE(engine.ShowTimerTimer());
    const bool changed =
        !std::equal(before.Row(0), before.Row(0) + before.Width() * before.Height(), scene.target.Row(0));
    if (tick % 7 == 0) {  // only moves on to the next column round
      EXPECT_EQ(random.draws, drawsBefore) << tick;
      EXPECT_FALSE(changed) << tick;
      EXPECT_EQ(engine.State().Position, tick / 7);
      EXPECT_EQ(engine.State().Counter, 0);
    } else {
      EXPECT_GT(random.draws, drawsBefore) << tick;
      EXPECT_TRUE(changed || tick > 7) << tick;
    }
    ASSERT_TRUE(scene.OnlyPicturePixelsAtTheirPlaces());
  }
  EXPECT_TRUE(std::all_of(random.ranges.begin(), random.ranges.end(), [](int32_t r) { return r == 6; }));
  const int draws = random.draws;
  EXPECT_TRUE(engine.ShowTimerTimer());
  EXPECT_EQ(random.draws, draws);
  EXPECT_TRUE(scene.PictureComplete());
}

// The dissolve takes its draws in batches (the program's generator makes them
// several stretches at a time, and the next tick's during a tick's copy): its
// frames are pixel for pixel those of one draw at a time through Next, and the
// generator ends each tick in the same place, whether something else draws
// from it between the ticks (the numbers made ahead no longer follow it) or
// nothing does (they are used).
TEST(Dissolve, BatchedDrawsGiveTheFramesOfOneDrawAtATime) {
  for (const bool drawBetweenTicks : {true, false})
    for (const auto& [w, h] : {std::pair{300, 200}, std::pair{61, 37}, std::pair{1, 1}, std::pair{1100, 60}}) {
      SCOPED_TRACE(::testing::Message() << w << "x" << h << (drawBetweenTicks ? " drawing between ticks" : ""));
      Scene batched(w, h), single(w, h);
      base::SeededRandom fast(9);
      transitions_test::CountingRandom slow(9);  // Next only
      TransitionEngine a(fast), b(slow);
      a.StartNumber(47, 25, batched.Surfaces());
      b.StartNumber(47, 25, single.Surfaces());
      for (bool done = false; !done;) {
        done = a.ShowTimerTimer();
        ASSERT_EQ(b.ShowTimerTimer(), done);
        const raster::Pixel* first = batched.target.Row(0);
        ASSERT_TRUE(
            std::equal(first, first + batched.target.Width() * batched.target.Height(), single.target.Row(0)));
        if (drawBetweenTicks) {
          ASSERT_EQ(fast.Next(1 << 30), slow.Next(1 << 30));  // they stand at the same place
        }
      }
      EXPECT_EQ(fast.Next(1 << 30), slow.Next(1 << 30));
      EXPECT_GT(slow.draws, 0);
    }
}

// Tick by tick against the walk written out plainly, one draw at a time:
// the pixels shown are exactly those it picks, at sizes where columns are
// long enough for the walk's eight-visit steps and the picture's right edge
// and the batches' ends cut into them.
TEST(Dissolve, EveryTickShowsThePixelsOfThePlainWalk) {
  for (const auto& [w, h] : {std::pair{300, 200}, std::pair{131, 47}, std::pair{70, 41}}) {
    SCOPED_TRACE(::testing::Message() << w << "x" << h);
    Scene scene(w, h);
    base::SeededRandom random(5), model(5);
    TransitionEngine engine(random);
    engine.StartNumber(47, 25, scene.Surfaces());
    std::vector<bool> shown(static_cast<size_t>(w * h), false);
    for (int tick = 0; tick < 42; ++tick) {
      const int column = engine.State().Position, row = engine.State().Counter;
      ASSERT_FALSE(engine.ShowTimerTimer());
      if (row < 6) {
        for (int x = column; x < w; x += model.Next(6))
          for (int y = row; y < h; y += model.Next(6))
            if (const int from = x + model.Next(6); from < w) shown[static_cast<size_t>(y * w + from)] = true;
      }
      int wrong = 0;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) wrong += scene.Shown(x, y) != shown[static_cast<size_t>(y * w + x)];
      ASSERT_EQ(wrong, 0) << "tick " << tick;
      ASSERT_EQ(random.Next(1 << 30), model.Next(1 << 30));  // both generators stand at the same place
    }
    EXPECT_TRUE(scene.OutsideUntouched());
  }
}

TEST(Dissolve, ScatterFollowsTheDrawsAndStaysInThePicture) {
  // 7 x 3, first round: column 0 copies (0 + 2, 0), repeats row 0 (stride 0)
  // with (0 + 5, 0), leaves by stride 3; column 4 draws 9, beyond the
  // picture (nothing drawn), then row 1 with (4 + 1, 1); the column stride 5
  // ends the tick.
  Scene scene(7, 3);
  transitions_test::ScriptedRandom random({2, 0, 5, 3, 4, 5, 1, 1, 5, 5});
  TransitionEngine engine(random);
  engine.StartNumber(47, 25, scene.Surfaces());
  ASSERT_FALSE(engine.ShowTimerTimer());
  EXPECT_EQ(random.ranges.size(), 10u);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) {
      const bool expected = (y == 0 && (x == 2 || x == 5)) || (y == 1 && x == 5);
      EXPECT_EQ(scene.Shown(x, y), expected) << x << "," << y;
    }
  EXPECT_TRUE(scene.OutsideUntouched());
  // From here on the generator draws only 0: every tick still ends.
  int ticks = 1;
  while (!engine.ShowTimerTimer()) ASSERT_LE(++ticks, 43);
  EXPECT_EQ(ticks + 1, 43);
  EXPECT_TRUE(scene.PictureComplete());
  EXPECT_TRUE(scene.OutsideUntouched());
}

}  // namespace
