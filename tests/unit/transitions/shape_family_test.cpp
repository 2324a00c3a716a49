// The shape reveals (circles, ellipses, cross, diamond, fan, wedges, corner,
// diagonal and multi-wipes): every member at several sizes and speeds ends
// with the whole picture and nothing outside it touched; at chosen ticks the
// revealed area is exactly the shape of the rule.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "raster/region.h"
#include "transition_scene.h"
#include "transitions/transition_engine.h"
#include "transitions/transition_names.h"

namespace {

using raster::Point;
using raster::Region;
using transitions::TransitionEngine;
using transitions_test::Scene;
using transitions_test::ScriptedRandom;

constexpr int kFamily[] = {32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 91,
                           92, 93, 94, 141, 142, 143, 144, 149, 150, 151, 152, 153, 154, 155, 156};
static_assert(std::size(kFamily) == 31);

// A transition started on a picture of its own.
struct Started {
  Started(int number, int w, int h, int speed, uint64_t seed = 1) : scene(w, h), random(seed), engine(random) {
    engine.StartNumber(number, speed, scene.Surfaces());
  }
  Scene scene;
  base::SeededRandom random;
  TransitionEngine engine;
};

Region Box(int l, int t, int r, int b) { return Region::FromRect({l, t, r, b}); }

// Pixels whose state differs from "shown exactly inside `shown`".
int WrongPixels(const Scene& scene, const Region& shown) {
  int wrong = 0;
  for (int y = 0; y < scene.picture.Height(); ++y)
    for (int x = 0; x < scene.picture.Width(); ++x) wrong += scene.Shown(x, y) != shown.Contains(x, y);
  return wrong;
}

class ShapeFamily : public ::testing::TestWithParam<int> {};

TEST_P(ShapeFamily, CompletesWithinThePicture) {
  transitions_test::SweepSizesAndSpeeds<Scene>(GetParam(), transitions_test::OnlyOwnPixels);
}

INSTANTIATE_TEST_SUITE_P(Members, ShapeFamily, ::testing::ValuesIn(kFamily),
                         [](const ::testing::TestParamInfo<int>& m) { return "n" + std::to_string(m.param); });

Region Polygon(std::initializer_list<Point> points) {
  return Region::FromPolygon(std::vector<Point>(points), raster::FillMode::Winding);
}
// The picture after `ticks` ticks shows exactly `shape` (cut to the picture),
// or with `rest` exactly the picture minus `shape`.
struct Checkpoint {
  const char* what;
  int number, w, h, speed, ticks;
  Region shape;
  bool rest = false;
};

TEST(ShapeFamily, RevealedAreaIsTheShapeOfTheRule) {
  Region grid;  // multi-wipe on 100 x 100: 11-pixel cells, Position 5
  for (int i = 0; i < 10; ++i)
    for (int j = 0; j < 10; ++j) {
      const int x = 11 * i, y = 11 * j;
      grid = grid.Unite(Polygon({{x, y}, {x + 5, y}, {x, y + 5}}));
    }
  const Point c{51, 51};  // the fan's centre on 100 x 100
  // The clockwise blades at Position 51, the last frame of phase 0.
  auto FanPhase0 = [&c](int e) {
    return Polygon({c, {51, 0}, {102, 0}}).Unite(Polygon({c, {0, 51}, {0, 51 - e}}))
        .Unite(Polygon({c, {51, 100}, {0, 100}})).Unite(Polygon({c, {100, 51}, {100, 51 + e}}));
  };
  const Checkpoint checkpoints[] = {
      {"circle(center) end of phase 0", 36, 200, 100, 10, 11, Polygon({{100, 50}, {200, 100}, {200, 0}})},
      {"circle(center) end of phase 1", 36, 200, 100, 10, 32, Polygon({{100, 50}, {200, 100}, {200, 0}, {0, 0}})},
      {"circle(center) end of phase 2", 36, 200, 100, 10, 43,
       Polygon({{100, 50}, {200, 100}, {200, 0}, {0, 0}, {0, 100}})},
      {"cross from center, D = 10", 38, 100, 50, 10, 3, Box(31, 0, 71, 50).Unite(Box(0, 16, 100, 36))},
      // Position 31: D = 15.5 rounds to the even 16.
      {"cross to center", 39, 100, 50, 10, 3, Box(20, 0, 82, 50).Unite(Box(0, 10, 100, 42)), true},
      {"diamond from center", 40, 100, 100, 10, 3, Polygon({{31, 51}, {51, 71}, {71, 51}, {51, 31}})},
      {"diamond to center", 41, 100, 100, 10, 3, Polygon({{-29, 51}, {51, 131}, {131, 51}, {51, -29}}), true},
      {"ellipse from center", 42, 100, 50, 10, 3, Region::FromEllipse({10, 5, 90, 45})},
      {"ellipse to center", 43, 50, 100, 10, 2, Region::FromEllipse({10, 20, 40, 80}), true},
      {"fan, end of phase 0", 45, 100, 100, 10, 6, FanPhase0(52)},
      {"anticlockwise fan, end of phase 0", 46, 100, 100, 10, 6,
       Polygon({c, {51, 0}, {0, 0}}).Unite(Polygon({c, {0, 51}, {0, 103}}))
           .Unite(Polygon({c, {51, 100}, {102, 100}})).Unite(Polygon({c, {100, 51}, {100, -1}}))},
      {"fan, phase 1 at Position 10", 45, 100, 100, 10, 8,
       FanPhase0(52).Unite(Polygon({c, {51, 0}, {100, 0}, {100, 11}})).Unite(Polygon({c, {0, 51}, {0, 0}, {10, 0}}))
           .Unite(Polygon({c, {51, 100}, {0, 100}, {0, 89}})).Unite(Polygon({c, {100, 51}, {100, 100}, {90, 100}}))},
      {"wedge right, end of phase 0", 143, 100, 60, 10, 4, Polygon({{0, 0}, {0, 62}, {51, 31}})},
      {"wedge right, end of phase 1", 143, 100, 60, 10, 15, Polygon({{100, 0}, {0, 0}, {0, 60}, {100, 60}, {51, 31}})},
      {"wedge down, end of phase 0", 141, 60, 100, 10, 4, Polygon({{0, 0}, {62, 0}, {31, 51}})},
      {"wedge up, end of phase 0", 144, 60, 100, 10, 4, Polygon({{0, 100}, {62, 100}, {31, 51}})},
      {"wedge left, end of phase 1", 142, 100, 60, 10, 15, Polygon({{0, 0}, {100, 0}, {100, 60}, {0, 60}, {51, 31}})},
      {"wipe from left-top", 150, 100, 50, 10, 5, Polygon({{0, 0}, {40, 0}, {0, 20}})},
      {"wipe from right-bottom", 152, 100, 50, 10, 5, Polygon({{100, 50}, {60, 50}, {100, 30}})},
      {"wipe from left-bottom", 149, 100, 50, 10, 5, Polygon({{0, 50}, {40, 50}, {0, 30}})},
      {"wipe from right-top/left-bottom", 154, 100, 50, 10, 5,
       Polygon({{100, 0}, {60, 0}, {100, 20}}).Unite(Polygon({{0, 50}, {40, 50}, {0, 30}}))},
      {"wipe to left-top/right-bottom", 155, 100, 50, 10, 3,
       Polygon({{0, 0}, {80, 0}, {0, 40}}).Unite(Polygon({{100, 50}, {20, 50}, {100, 10}})), true},
      {"multi-wipe from left-top", 93, 100, 100, 50, 6, grid},
  };
  for (const Checkpoint& cp : checkpoints) {
    SCOPED_TRACE(cp.what);
    Started run(cp.number, cp.w, cp.h, cp.speed);
    for (int tick = 1; tick <= cp.ticks; ++tick) ASSERT_FALSE(run.engine.ShowTimerTimer()) << tick;
    const Region picture = Box(0, 0, cp.w, cp.h);
    EXPECT_EQ(WrongPixels(run.scene, cp.rest ? picture.Subtract(cp.shape) : cp.shape.Intersect(picture)), 0);
  }
}

TEST(CircleCenter, TwoHundredByHundredAtSpeedTen) {
  Started run(36, 200, 100, 10);
  TransitionEngine& engine = run.engine;
  // Phase 0 draws 11 frames, phase 1 21, phase 2 11, phase 3 20; the tick with
  // Position 200 makes the final draw.
  const int phaseEnds[] = {11, 32, 43, 63};
  int tick = 0;
  for (int phase = 0; phase < 4; ++phase)
    while (tick < phaseEnds[phase]) {
      EXPECT_EQ(engine.State().Phase, phase) << tick;
      ASSERT_FALSE(engine.ShowTimerTimer()) << tick;
      ++tick;
    }
  EXPECT_EQ(engine.State().Position, 200);
  EXPECT_FALSE(run.scene.PictureComplete());
  EXPECT_TRUE(engine.ShowTimerTimer());
  EXPECT_TRUE(run.scene.PictureComplete());
}

// Each tick of a radial sweep shows exactly the union of the rule's polygons so far.
TEST(RadialSweeps, EveryTickShowsTheUnionOfThePolygonsSoFar) {
  struct Run {
    int w, h, speed;
  };
  for (const int number : {32, 33, 34, 35, 36, 37})
    for (const Run run : {Run{61, 37, 7}, Run{7, 3, 1}, Run{40, 90, 13}}) {
      SCOPED_TRACE(::testing::Message() << number << " " << run.w << "x" << run.h);
      const int w = run.w, h = run.h, step = run.speed;
      Started started(number, w, h, step, static_cast<uint64_t>(number));
      const Point pivot = started.engine.State().Points[0];
      std::vector<std::vector<Point>> frames;
      for (int p = h; p >= 0; p -= step) frames.push_back({pivot, {w, h}, {w, p}});
      for (int p = w; p >= 0; p -= step) frames.push_back({pivot, {w, h}, {w, 0}, {p, 0}});
      for (int p = 0; p <= h; p += step) frames.push_back({pivot, {w, h}, {w, 0}, {0, 0}, {0, p}});
      for (int p = 0; p + step <= w; p += step) frames.push_back({pivot, {w, h}, {w, 0}, {0, 0}, {0, h}, {p, h}});
      Region expected;
      for (const auto& frame : frames) {
        ASSERT_FALSE(started.engine.ShowTimerTimer());
        expected = expected.Unite(Region::FromPolygon(frame, raster::FillMode::Winding));
        ASSERT_EQ(WrongPixels(started.scene, expected), 0);
      }
      EXPECT_TRUE(started.engine.ShowTimerTimer());
    }
}

TEST(CircleLeftBottom, RunsThroughAllPhasesAfterThePictureIsComplete) {
  Started run(32, 100, 60, 10);
  for (int tick = 1; tick <= 18; ++tick) ASSERT_FALSE(run.engine.ShowTimerTimer());  // phases 0 and 1
  EXPECT_TRUE(run.scene.PictureComplete());
  EXPECT_EQ(run.engine.State().Phase, 2);
  int ticks = 18;
  while (!run.engine.ShowTimerTimer()) {
    ++ticks;
    ASSERT_EQ(WrongPixels(run.scene, Box(0, 0, 100, 60)), 0);
  }
  EXPECT_EQ(ticks + 1, 36);
}

TEST(RandomShapes, EveryStartDrawsANewPoint) {
  for (const int number : {37, 44}) {
    SCOPED_TRACE(number);
    Scene scene(40, 30);
    ScriptedRandom random({5, 6, 30, 20});
    TransitionEngine engine(random);
    for (const Point centre : {Point{5, 6}, Point{30, 20}}) {
      scene.target.Fill(transitions_test::kSentinel);
      engine.StartNumber(number, 3, scene.Surfaces());
      for (int tick = 0; tick < 2; ++tick) ASSERT_FALSE(engine.ShowTimerTimer());
      if (number == 37) {
        EXPECT_EQ(engine.State().Points[0], centre);  // the pivot
      } else {
        // A circle of radius 3 round the centre.
        EXPECT_TRUE(scene.Shown(centre.x, centre.y));
        EXPECT_FALSE(scene.Shown(centre.x + 4, centre.y));
        EXPECT_FALSE(scene.Shown(centre.x < 20 ? 38 : 1, centre.y < 15 ? 28 : 1));
      }
    }
    EXPECT_EQ(random.ranges, (std::vector<int32_t>{40, 30, 40, 30}));
  }
}

TEST(ToCenterShapes, ShrunkToNothingLeavesTheFinalCopyNothingToChange) {
  // On a wide picture D is 0 for the last positions: diamond and triangles are empty.
  for (const int number : {41, 155, 156}) {
    SCOPED_TRACE(number);
    Started run(number, 100, 10, 1);
    bool completeBefore = false;
    int ticks = 1;
    for (; !run.engine.ShowTimerTimer(); ++ticks) {
      completeBefore = run.scene.PictureComplete();
      ASSERT_LT(ticks, 1000);
    }
    EXPECT_TRUE(completeBefore);
    EXPECT_TRUE(run.scene.PictureComplete());
    EXPECT_TRUE(run.scene.OutsideUntouched());
  }
}

}  // namespace
