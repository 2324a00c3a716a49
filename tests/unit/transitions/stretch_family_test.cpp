// The stretch, roll, rain, growing-rectangle and comb effects: every member at
// several picture sizes (down to 1x1, and long thin ones) and speeds 1..50
// ends with the whole picture shown, never draws outside the picture
// rectangle, and shows only old, back or picture pixels in between. Then
// chosen frames compared with a frame built from the rule.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "raster/canvas.h"
#include "transition_scene.h"
#include "transitions/transition_engine.h"

namespace {

using raster::Rect;
using transitions::TransitionEngine;
using transitions_test::kSentinel;
using transitions_test::kBack;
using transitions_test::Scene;

struct Member {
  int number;
  bool inPlace;  // every picture pixel it draws is at its own place
};

constexpr Member kFamily[] = {
    {22, true},   {23, true},   {95, false},  {96, false},  {97, false},  {98, false},  {100, false},
    {101, false}, {102, false}, {103, false}, {112, true},  {113, true},  {114, true},  {115, true},
    {116, false}, {117, false}, {120, false}, {121, false}, {122, false}, {123, false}, {124, false},
    {125, false}, {126, false}, {127, false}, {128, false},
};
static_assert(std::size(kFamily) == 25);

using StretchScene = transitions_test::BackScene;

struct Started {
  Started(int number, int w, int h, int speed) : scene(w, h), random(1), engine(random) {
    engine.StartNumber(number, speed, scene.Surfaces());
  }
  StretchScene scene;
  base::SeededRandom random;
  TransitionEngine engine;
};

class StretchFamily : public ::testing::TestWithParam<Member> {};

TEST_P(StretchFamily, CompletesWithOnlyKnownPixelsInsideThePicture) {
  const Member m = GetParam();
  transitions_test::SweepSizesAndSpeeds<StretchScene>(
      m.number, [m](const StretchScene& scene) { return scene.OnlyKnownPixels(m.inPlace); });
}

INSTANTIATE_TEST_SUITE_P(Members, StretchFamily, ::testing::ValuesIn(kFamily),
                         [](const ::testing::TestParamInfo<Member>& m) { return "n" + std::to_string(m.param.number); });

// A frame described as drawing operations on the initial target, in order.
struct Op {
  enum What { kStretch, kBack, kMirrorX, kMirrorY } what;
  Rect dst;
  Rect src{};  // kStretch: the part of the picture stretched into dst
};
Op Stretch(Rect dst, Rect src) { return {Op::kStretch, dst, src}; }
Op Copy(Rect r) { return {Op::kStretch, r, r}; }
Op Back(Rect r) { return {Op::kBack, r}; }

raster::Bitmap ExpectedFrame(const StretchScene& scene, const std::vector<Op>& ops) {
  raster::Bitmap expected(scene.target.Width(), scene.target.Height(), kSentinel);
  raster::Canvas canvas(expected);
  const int ox = scene.origin.x, oy = scene.origin.y;
  for (const Op& op : ops) {
    const Rect dst = op.dst.Offset(ox, oy);
    if (op.what == Op::kStretch) canvas.CopyRect(dst, scene.picture, op.src);
    if (op.what == Op::kBack) canvas.FillRect(dst, kBack);
    // Mirrored in place: line i of the strip shows line (last - i).
    for (int y = op.dst.top; op.what >= Op::kMirrorX && y < op.dst.bottom; ++y)
      for (int x = op.dst.left; x < op.dst.right; ++x) {
        const int sx = op.what == Op::kMirrorX ? op.dst.left + op.dst.right - 1 - x : x;
        const int sy = op.what == Op::kMirrorY ? op.dst.top + op.dst.bottom - 1 - y : y;
        expected.At(ox + x, oy + y) = scene.picture.At(sx, sy);
      }
  }
  return expected;
}

struct FrameCase {
  const char* what;
  int number, w, h, speed, ticks;
  std::vector<Op> ops;
};

TEST(StretchFamily, FramesFollowTheRules) {
  const Rect whole300{0, 0, 300, 200};
  const FrameCase cases[] = {
      {"stretch from top, first tick", 126, 20, 100, 30, 1, {}},
      {"stretch from top, height 30", 126, 20, 100, 30, 2, {Stretch({0, 0, 20, 30}, {0, 0, 20, 100})}},
      {"stretch from top, height 90", 126, 20, 100, 30, 4, {Stretch({0, 0, 20, 90}, {0, 0, 20, 100})}},
      {"stretch from bottom", 120, 20, 100, 30, 3, {Stretch({0, 40, 20, 100}, {0, 0, 20, 100})}},
      {"stretch from left", 124, 100, 20, 30, 2, {Stretch({0, 0, 30, 20}, {0, 0, 100, 20})}},
      {"stretch from right", 125, 100, 20, 30, 2, {Stretch({70, 0, 100, 20}, {0, 0, 100, 20})}},
      // Position 20: half extents 20 x 100 div 60 = 33 across, 20 down round (50, 30).
      {"stretch from center, wide", 123, 100, 60, 10, 3, {Stretch({17, 10, 83, 50}, {0, 0, 100, 60})}},
      {"stretch from center, tall", 123, 60, 100, 10, 3, {Stretch({10, 17, 50, 83}, {0, 0, 60, 100})}},
      // GrowH 40 drives, GrowW = 40 x 300 div 200 = 60.
      {"stretch from top-left", 127, 300, 200, 20, 3, {Stretch({0, 0, 60, 40}, whole300)}},
      {"stretch from top-right", 128, 300, 200, 20, 3, {Stretch({240, 0, 300, 40}, whole300)}},
      {"stretch from bottom-left", 121, 300, 200, 20, 3, {Stretch({0, 160, 60, 200}, whole300)}},
      {"stretch from bottom-right", 122, 300, 200, 20, 3, {Stretch({240, 160, 300, 200}, whole300)}},
      {"stretch from top-left, tall: GrowW drives", 127, 200, 300, 20, 3, {Stretch({0, 0, 40, 60}, {0, 0, 200, 300})}},
      {"stretch from top-left, 301 wide: GrowW 20 x 301 div 200", 127, 301, 200, 20, 2,
       {Stretch({0, 0, 30, 20}, {0, 0, 301, 200})}},
      {"show from top-left", 114, 300, 200, 20, 3, {Copy({0, 0, 60, 40})}},
      {"show from top-right", 115, 300, 200, 20, 3, {Copy({240, 0, 300, 40})}},
      {"show from bottom-left", 112, 300, 200, 20, 3, {Copy({0, 160, 60, 200})}},
      {"show from bottom-right", 113, 300, 200, 20, 3, {Copy({240, 160, 300, 200})}},
      {"center(diffuse)", 22, 100, 60, 10, 3, {Copy({17, 10, 83, 50})}},
      // Limit 30: the first hole (50 x 30 half extents) is the whole picture.
      {"center(envelop), first tick", 23, 100, 60, 10, 1, {Back({0, 0, 100, 60})}},
      {"center(envelop), Position 20", 23, 100, 60, 10, 2, {Copy({0, 0, 100, 60}), Back({17, 10, 83, 50})}},
      {"center(envelop), Position 10", 23, 100, 60, 10, 3, {Copy({0, 0, 100, 60}), Back({34, 20, 66, 40})}},
      {"roll right, Position 30", 102, 99, 5, 7, 11,
       {Copy({0, 0, 30, 5}), {Op::kMirrorX, {30, 0, 60, 5}}, Back({60, 0, 99, 5})}},
      {"roll right, Position 96: strip cut at the edge", 102, 99, 5, 7, 33,
       {Copy({0, 0, 96, 5}), {Op::kMirrorX, {96, 0, 99, 5}}}},
      {"roll left, Position 96", 101, 99, 5, 7, 2, {Back({0, 0, 66, 5}), {Op::kMirrorX, {66, 0, 96, 5}}, Copy({96, 0, 99, 5})}},
      {"roll left, Position 3: strip cut at 0", 101, 99, 5, 7, 33, {{Op::kMirrorX, {0, 0, 3, 5}}, Copy({3, 0, 99, 5})}},
      {"roll down, Position 30", 100, 5, 99, 7, 11,
       {Copy({0, 0, 5, 30}), {Op::kMirrorY, {0, 30, 5, 60}}, Back({0, 60, 5, 99})}},
      {"roll up, Position 96", 103, 5, 99, 7, 2, {Back({0, 0, 5, 66}), {Op::kMirrorY, {0, 66, 5, 96}}, Copy({0, 96, 5, 99})}},
      {"rain down, first band over the whole picture", 95, 4, 40, 10, 1, {Stretch({0, 0, 4, 40}, {0, 0, 4, 10})}},
      {"rain down, band 10..20 over 10..40", 95, 4, 40, 10, 2, {Copy({0, 0, 4, 10}), Stretch({0, 10, 4, 40}, {0, 10, 4, 20})}},
      {"rain down, last band", 95, 4, 40, 10, 4, {Copy({0, 0, 4, 40})}},
      {"rain up, first tick: empty band, nothing drawn", 98, 4, 40, 10, 1, {}},
      {"rain up, band 30..40 settles and streaks 0..30", 98, 4, 40, 10, 2,
       {Copy({0, 30, 4, 40}), Stretch({0, 0, 4, 30}, {0, 30, 4, 40})}},
      {"rain right", 97, 40, 4, 10, 2, {Copy({0, 0, 10, 4}), Stretch({10, 0, 40, 4}, {10, 0, 20, 4})}},
      {"rain left", 96, 40, 4, 10, 3, {Copy({20, 0, 40, 4}), Stretch({0, 0, 20, 4}, {20, 0, 30, 4})}},
  };
  for (const FrameCase& c : cases) {
    SCOPED_TRACE(c.what);
    Started run(c.number, c.w, c.h, c.speed);
    for (int tick = 1; tick <= c.ticks; ++tick) ASSERT_FALSE(run.engine.ShowTimerTimer()) << tick;
    const raster::Bitmap expected = ExpectedFrame(run.scene, c.ops);
    int wrong = 0;
    for (int y = 0; y < expected.Height(); ++y)
      for (int x = 0; x < expected.Width(); ++x) wrong += run.scene.target.At(x, y) != expected.At(x, y);
    EXPECT_EQ(wrong, 0);
  }
}

// Line `i` of the comb at Position 10 on 100 lines (shift O = 102 - 20 = 82):
// even lines 0..16 show picture lines 82..98, odd lines 83..99 show 1..17.
int CombLineAtPosition10(int i) {
  if (i % 2 == 0) return i <= 16 ? i + 82 : -1;
  return i >= 83 ? i - 82 : -1;
}

TEST(Combs, EvenLinesComeFromTheStartOddLinesFromTheFarEnd) {
  for (const bool rows : {false, true}) {
    SCOPED_TRACE(rows ? "show up-dwon" : "show left-right");
    Started run(rows ? 117 : 116, rows ? 3 : 100, rows ? 100 : 3, 25);
    for (int tick = 1; tick <= 11; ++tick) ASSERT_FALSE(run.engine.ShowTimerTimer());
    for (int i = 0; i < 100; ++i)
      for (int j = 0; j < 3; ++j) {
        const int line = CombLineAtPosition10(i);
        const int x = rows ? j : i, y = rows ? i : j;
        const raster::Pixel want = line < 0 ? kBack : rows ? run.scene.picture.At(x, line) : run.scene.picture.At(line, y);
        ASSERT_EQ(run.scene.At(x, y), want) << i << "," << j;
      }
    // Position 51, the last drawing tick, has O = 0: every line in place.
    for (int tick = 12; tick <= 52; ++tick) ASSERT_FALSE(run.engine.ShowTimerTimer());
    EXPECT_TRUE(run.scene.PictureComplete());
    EXPECT_TRUE(run.engine.ShowTimerTimer());
  }
}

}  // namespace
